#pragma once
// The backup of a pager read, as the commands that read a pager offer it:
// --backup-dir DIR chooses the folder, --no-backup turns the backup off.

#include <optional>
#include <string>

#include "cli/args.h"
#include "pager/pager_session.h"

namespace rer::cli {

inline constexpr const char* kBackupDirOption = "backup-dir";
inline constexpr const char* kNoBackupFlag = "no-backup";

// Writes the session's codeplug, as just read from the pager, into the
// backups folder the options choose. Returns the backup's path; nothing when
// the backup is turned off or could not be written. A failed backup is said
// on standard error ("COMMAND: backup failed: ...") and is not a failure of
// the read: the pager's codeplug is still in the session and in the -o file.
std::optional<std::string> BackUpRead(const Args& args, const PagerSession& session,
                                      const std::string& command);

}  // namespace rer::cli
