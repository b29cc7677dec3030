// Feeds arbitrary text to rer-cli apply's settings reader and sets what it
// accepts onto a codeplug, then saves it as apply does. Whatever the JSON
// holds, it must be refused with a message, or give a file that loads again.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>

#include "cli/apply_settings.h"
#include "core/scripted_user_interface.h"
#include "demo_editor.h"
#include "pager/codeplug_file.h"
#include "pager/codeplug_files.h"
#include "pages/address_checks.h"
#include "sim/demo_codeplug.h"

namespace {

using rer::fuzz::EditorHolding;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // First byte: the family of the codeplug the settings go onto.
  const std::uint8_t model = (data[0] & 1) ? 0x81 : 0x84;
  const QByteArray json(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  std::string error;
  const auto edits = rer::cli::ParseSettingEdits(json, error);
  if (!edits) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }

  auto session = std::make_unique<rer::PagerSession>(EditorHolding(model));

  const rer::FieldCatalogue& catalogue = rer::FieldCatalogue::Instance();
  for (const rer::cli::SettingEdit& edit : *edits) {
    const int index = catalogue.IndexOf(edit.name);
    if (index < 0) return 0;
    const auto problem =
        rer::cli::ApplySettingValue(catalogue.Entries()[static_cast<std::size_t>(index)],
                                    edit.value, session->settings.ValueAt(index));
    if (problem) {
      if (problem->empty()) std::abort();  // a refusal always says why
      return 0;
    }
  }
  if (rer::CheckAddressPages(session->settings, nullptr) != 0) return 0;

  rer::ScriptedUserInterface ui;
  if (rer::CheckAndSearchFrequency(*session, ui) != 0) return 0;
  session->settings.saving = true;
  rer::EncodeSessionImageForSave(*session);
  session->settings.saving = false;
  const std::string text =
      rer::FormatCodeplugFile(session->image.Bytes(), rer::FileHeaderOf(*session));
  // What apply writes must be a codeplug of the family it started from.
  const auto parsed = rer::ParseCodeplugFile(text);
  if (!parsed || parsed->modelWord != model) std::abort();
  return 0;
}
