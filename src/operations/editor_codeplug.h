#pragma once
// The file and reset operations on the editor's codeplug: Save as, Load and
// Set To Defaults. Whatever needs a person or the file system (the page
// check, the file chooser, the free-space query) comes in as a hook, so that
// the window and the tests supply their own.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/user_interface.h"
#include "pager/pager_session.h"

namespace rer {

// The box of every command that needs a codeplug in the editor.
MessageBox NeedCodeplugMessage();

// Free space a file needs on its drive before Save as writes it.
inline constexpr std::uint64_t kSaveFreeKilobytes = 6;

struct SaveAsHooks {
  // The page checks of every page: 1 when they all pass (they show their
  // own messages).
  std::function<int()> checkPages;
  // The save dialog; nullopt when cancelled.
  std::function<std::optional<std::string>()> choosePath;
  // Free bytes on the drive that would hold `path`; nullopt when unknown.
  std::function<std::optional<std::uint64_t>(const std::string& path)> freeBytes;
  std::function<bool(const std::string& path)> fileExists;
};

enum class SaveAsResult {
  Saved,
  Stopped,      // a check, the user or the free space stopped it; nothing written
  WriteFailed,  // the file could not be written (shown); the editor unchanged
};

// "Save as". `haveCodeplug` is false while the editor is empty. On Saved,
// `savedPath` holds the file written and the success message has been shown.
SaveAsResult SaveCodeplugAs(PagerSession& session, bool haveCodeplug, const SaveAsHooks& hooks,
                            UserInterface& ui, std::string& savedPath);

// "Load Codeplug" of the file at `path`: 1 when it was read and decoded (the
// pager link's Unprogrammed mark is then cleared); anything else leaves the
// editor as it was. A file that does not exist is reported here.
int LoadCodeplugInto(PagerSession& session, const std::string& path,
                     const std::function<bool(const std::string&)>& fileExists, UserInterface& ui);

// "Set To Defaults": asks -95 and, on Yes, decodes the current image again
// with the decoder of the model's family, keeping the serial number, the
// inventory number, the frequency and the synthesizer record; the next
// encode then writes the default values. True when the settings changed.
bool SetEditorToDefaults(PagerSession& session, UserInterface& ui);

}  // namespace rer
