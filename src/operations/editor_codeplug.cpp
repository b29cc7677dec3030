#include "operations/editor_codeplug.h"

#include "codeplug/field_catalogue.h"
#include "core/result_codes.h"
#include "pager/codeplug_files.h"

namespace rer {
namespace {

MessageBox Box(std::string title, std::string text, MessageIcon icon) {
  return MessageBox{std::move(title), std::move(text), icon, MessageButtons::Ok};
}

}  // namespace

MessageBox NeedCodeplugMessage() {
  return Box("Error Message", "\nYou have to read (pager) or open the file first.\n",
             MessageIcon::Stop);
}

SaveAsResult SaveCodeplugAs(PagerSession& session, bool haveCodeplug, const SaveAsHooks& hooks,
                            UserInterface& ui, std::string& savedPath) {
  const int check = hooks.checkPages ? hooks.checkPages() : kSuccess;
  if (check != kSuccess) return SaveAsResult::Stopped;
  // Shows -115 (or the band message) itself.
  if (haveCodeplug && CheckAndSearchFrequency(session, ui) != 0) return SaveAsResult::Stopped;
  if (!haveCodeplug) {
    ui.ShowMessageBox(NeedCodeplugMessage());
    return SaveAsResult::Stopped;
  }
  const std::optional<std::string> path = hooks.choosePath ? hooks.choosePath() : std::nullopt;
  if (!path || path->empty()) return SaveAsResult::Stopped;

  const std::optional<std::uint64_t> free = hooks.freeBytes ? hooks.freeBytes(*path) : std::nullopt;
  if (free && *free / 1024 < kSaveFreeKilobytes) {
    ui.ShowMessageBox(
        Box("Cannot save file", "There is not enough space on the disk.\n", MessageIcon::Warning));
    return SaveAsResult::Stopped;
  }
  if (hooks.fileExists && hooks.fileExists(*path)) {
    MessageBox question{"Save As - Warning",
                        *path + " already exists.\nDo you want to replace it ?\n",
                        MessageIcon::Question, MessageButtons::YesNo};
    question.defaultNo = true;
    if (ui.ShowMessageBox(question) != kResultYes) return SaveAsResult::Stopped;
  }
  if (!SaveCodeplugFile(session, *path, ui)) {
    // A failed write used to pass in silence; the technician must know the
    // codeplug was not kept.
    ui.ShowMessageBox(Box("Cannot save file", "\nThe file could not be written: " + *path + "\n",
                          MessageIcon::Stop));
    return SaveAsResult::WriteFailed;
  }
  ui.ShowMessageBox(
      Box("successfully", "\nThe file was saved as " + *path, MessageIcon::Information));
  savedPath = *path;
  return SaveAsResult::Saved;
}

int LoadCodeplugInto(PagerSession& session, const std::string& path,
                     const std::function<bool(const std::string&)>& fileExists, UserInterface& ui) {
  if (fileExists && !fileExists(path)) {
    ui.ShowMessageBox(Box("ERROR", path + "\ndoes not exist.", MessageIcon::Stop));
    return kNotDone;
  }
  const int result = LoadCodeplugFile(session, path, ui);
  if (result == kSuccess) session.link.Unprogrammed = false;
  return result;
}

bool SetEditorToDefaults(PagerSession& session, UserInterface& ui) {
  if (ui.AskQuestion(kQuestionSetToDefaults) != kResultYes) return false;
  EditorSettings& settings = session.settings;
  const std::string serial = settings.Text(Control::ed_serialNumber).substr(0, 10);
  const std::string inventory = settings.Text(Control::ed_ICN).substr(0, 10);
  const std::string frequency = settings.Text(Control::ed_frequency).substr(0, 9);
  const SynthRecord record = session.synth.record;
  const EditorSettings before = settings;
  if (DecodeSessionImage(session) != kSuccess) {
    settings = before;
    return false;
  }
  settings.SetText(Control::ed_serialNumber, serial);
  settings.SetText(Control::ed_ICN, inventory);
  settings.SetText(Control::ed_frequency, frequency);
  session.synth.record = record;
  settings.defaultsLoaded = true;
  return true;
}

}  // namespace rer
