#include "pages/prompt_pages.h"

#include <unordered_map>

#include "codeplug/codec_bindings.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/encode_prompts.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "core/serial_series.h"
#include "core/text.h"
#include "pages/page_rules.h"
#include "prompts/default_prompt_table.h"
#include "prompts/national_char_set.h"
#include "prompts/prompt_catalogue.h"
#include "prompts/prompt_language.h"

namespace rer {
namespace {

using enum Control;

constexpr int kNoPrompt = -1;

// The extended number of the prompt shown in the field numbered `field`.
int PromptOfField(int field) {
  static const std::unordered_map<int, int> prompts = [] {
    std::unordered_map<int, int> found;
    for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
      if (entry.fieldNumber == kNoFieldNumber) continue;
      if (const PromptInfo* prompt = FindPromptByField(entry.name)) {
        found.emplace(entry.fieldNumber, prompt->extended);
      }
    }
    return found;
  }();
  const auto found = prompts.find(field);
  return found == prompts.end() ? kNoPrompt : found->second;
}

Control ControlOfField(int field) {
  // Prompt field numbers are not shared, so the one control of the number.
  return FieldCatalogue::Instance().FindAllByField(field).front()->control;
}

int FieldOf(Control control) {
  return FieldCatalogue::Instance().Entry(control).fieldNumber;
}

PromptSettings PromptSettingsOf(const EditorSettings& settings) {
  return PromptSettings{PromptTextsOf(settings), settings.promptLanguage, settings.ideoPrompts};
}

void SetPromptSettings(const PromptSettings& prompts, EditorSettings& settings) {
  SetPromptTexts(prompts.texts, settings);
  settings.promptLanguage = prompts.language;
  settings.ideoPrompts = prompts.ideoPrompts;
}

}  // namespace

PromptPages::PromptPages(EditorSettings& settings, UserInterface& ui,
                         const PageEnvironment& environment)
    : PageHandler(settings, ui, environment) {}

void PromptPages::Enter(int field) {
  failureJustShown_ = false;
  enteredField_ = field;
  textAtEnter_ =
      PromptOfField(field) == kNoPrompt ? std::string() : settings_.Text(ControlOfField(field));
}

int PromptPages::Store(int field) {
  if (field == FieldOf(cb_internationalPrompt)) return ChooseLanguage();
  if (field == FieldOf(cb_internationalCharSet)) return ChooseCharSet();
  if (PromptOfField(field) != kNoPrompt) return StorePrompt(field);
  return kSuccess;
}

int PromptPages::StorePrompt(int field) {
  const Control control = ControlOfField(field);
  // A text that changed since the field was entered was typed (or set by a
  // script, which stands for typing): Chinese prompts are now checked too.
  if (field != enteredField_ || settings_.Text(control) != textAtEnter_) keyTyped_ = true;
  // The fields show upper case only; a text set without typing gets the
  // same, so that the pager and the pages agree on what is stored. Chinese
  // prompts are ideograph bytes in 7-bit form, where a lower-case letter is
  // half of an ideograph: they stay as they are.
  if (!settings_.ideoPrompts) settings_.SetText(control, ToUpper(settings_.Text(control)));
  textAtEnter_ = settings_.Text(control);
  enteredField_ = field;
  return MemoryCheck(true);
}

int PromptPages::ChooseLanguage() {
  PromptSettings prompts = PromptSettingsOf(settings_);
  ChoosePromptLanguage(prompts, settings_.Item(cb_internationalPrompt), environment_.cgromType,
                       LargeLayout());
  SetPromptSettings(prompts, settings_);
  // The list shows both Chinese languages at one position; the language
  // itself stays what was chosen.
  settings_.SetItem(cb_internationalPrompt, ListPositionForLanguage(prompts.language));
  keyTyped_ = false;
  return MemoryCheck(true);
}

int PromptPages::ChooseCharSet() {
  // Only a warning: the technician may know better, and the choice stays.
  const int result = CheckCharSetChoice(
      settings_.promptLanguage, settings_.Item(cb_internationalCharSet), settings_.ideoPrompts);
  if (result != 0) ui_.ShowError(result);
  return kSuccess;
}

int PromptPages::Check(int /*page*/) {
  // Leaving a field and then the page is one step for the technician: the
  // field's store has just said why, and once is enough.
  const bool shown = failureJustShown_;
  const int result = MemoryCheck(!shown);
  failureJustShown_ = false;
  return result;
}

void PromptPages::Refresh(int /*page*/) {
  failureJustShown_ = false;
  MemoryCheck(false);
}

int PromptPages::RestoreDefault(int field) {
  const int prompt = PromptOfField(field);
  if (prompt == kNoPrompt) return kSuccess;
  PromptTexts texts = PromptTextsOf(settings_);
  RestorePromptDefault(texts, settings_.promptLanguage, prompt);
  SetPromptTexts(texts, settings_);
  textAtEnter_ = settings_.Text(ControlOfField(field));
  enteredField_ = field;
  return MemoryCheck(true);
}

int PromptPages::MemoryCheck(bool report) {
  if (settings_.ideoPrompts && !keyTyped_) return kSuccess;
  const std::size_t used = UsedSize();
  const std::size_t capacity = Capacity();
  if (used > capacity) {
    if (report) ui_.ShowError(kMaximumSizeExceeded);
    failureJustShown_ = report;
    return kMaximumSizeExceeded;
  }
  failureJustShown_ = false;
  gaugePercent_ = static_cast<int>(used * 100 / capacity);
  return kSuccess;
}

bool PromptPages::LargeLayout() const {
  return Is4KFamily(environment_.modelCode);
}

std::size_t PromptPages::UsedSize() const {
  // The very encoder programming runs, into a scratch image: the size is
  // what the pager would be given, Chinese slots and all.
  const Layout layout(LargeLayout() ? PagerFamily::k4K : PagerFamily::k1K);
  CodeplugImage scratch;
  return EncodePrompts(settings_, layout, scratch);
}

std::size_t PromptPages::Capacity() const {
  if (LargeLayout()) return kLargePromptCapacity;
  return IsSmallPromptSeries(settings_.Text(ed_serialNumber)) ? kEarlyUnitPromptCapacity
                                                              : kSmallPromptCapacity;
}

PromptPages* PromptPagesOf(PageRules& rules) {
  return dynamic_cast<PromptPages*>(rules.HandlerOf(kPagePrompt1));
}

}  // namespace rer
