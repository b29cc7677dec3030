#pragma once
// Automatic backups: every codeplug read from a pager is also kept as a
// codeplug file in a backups folder, so that a pager's earlier codeplug is
// never lost when it is programmed over. The command line, the window and the
// program run all write their backups here.

#include <QDateTime>
#include <cstdint>
#include <span>
#include <string>

#include "pager/codeplug_file.h"

namespace rer {

struct CodeplugBackupResult {
  bool written = false;
  std::string path;   // the backup file, when written
  std::string error;  // why it was not, when not
};

// The backups folder when none is chosen: "backups" in the user's documents
// folder, where a technician looks for files rather than a hidden settings
// folder.
std::string DefaultBackupFolder();

// The file name of a backup without the folder or a repeat number:
// "<serial>_<yyyyMMdd-HHmmss>". Characters of the serial that a file name
// should not carry become '_'; an empty serial is written "no-serial".
std::string BackupBaseName(std::string_view serialNumber, const QDateTime& when);

// Writes `image` as a codeplug file into `folder` (made when missing), named
// from the pager's serial number and `when`. An earlier backup is never
// overwritten: a second backup within the same second gets "-2", "-3", ...
// The name is claimed before the file is written, so two writers at once
// still choose different names; the contents go through WriteTextFileSafely.
CodeplugBackupResult WriteCodeplugBackup(const std::string& folder, std::string_view serialNumber,
                                         std::span<const std::uint8_t> image,
                                         const CodeplugFileHeader& header,
                                         const QDateTime& when = QDateTime::currentDateTime());

}  // namespace rer
