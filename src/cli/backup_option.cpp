#include "cli/backup_option.h"

#include <iostream>

#include "pager/codeplug_backup.h"
#include "pager/codeplug_files.h"

namespace rer::cli {

std::optional<std::string> BackUpRead(const Args& args, const PagerSession& session,
                                      const std::string& command) {
  if (args.has(kNoBackupFlag)) return std::nullopt;
  const std::string folder = args.value(kBackupDirOption).value_or(DefaultBackupFolder());
  const CodeplugBackupResult backup = WriteCodeplugBackup(
      folder, session.link.SerialNumber, session.image.Bytes(), FileHeaderOf(session));
  if (!backup.written) {
    std::cerr << command << ": backup failed: " << backup.error << " (the read itself succeeded)\n";
    return std::nullopt;
  }
  return backup.path;
}

}  // namespace rer::cli
