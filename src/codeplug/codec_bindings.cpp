#include "codeplug/codec_bindings.h"

#include <array>
#include <charconv>
#include <string>

#include "codeplug/control_storage.h"
#include "codeplug/layout_codes.h"
#include "synth/synth_codes.h"

namespace rer {
namespace {

// The chip list of the General page names the synthesizer types by index.
static_assert(RowOf(Control::cb_PLL_Type).items.size() == kSynthTypeCount);

using enum BindingSource;
using enum BindingDirection;
using control_storage::kBindings;
using control_storage::kBitRows;
using control_storage::kCodedRows;

// A list without selection is written as its first item.
int LoadNumber(const ControlValue& value, Control control) {
  if (KindOf(control) == ControlKind::List && value.number == kNoItem) return 0;
  return value.number;
}

}  // namespace

std::span<const CodecBinding> CodecBindings() {
  return kBindings;
}

void DecodeBindings(const ImageReader& image, EditorSettings& settings) {
  const auto family = image.layout().Family();
  if (!family) return;
  for (const CodecBinding& binding : kBindings) {
    if (!InFamilySet(binding.families, *family)) continue;
    switch (binding.source) {
      case kBitField: {
        const BitFieldRow& row = kBitRows[binding.row];
        if (image.Has(row.field)) {
          settings.Value(binding.control).number = static_cast<int>(ReadBits(image, row));
        }
        break;
      }
      case kCodedList: {
        const CodedSettingRow& row = kCodedRows[binding.row];
        if (image.Has(row.field)) settings.Value(binding.control).number = ReadCodes(image, row);
        break;
      }
      case kText:
        if (image.Has(binding.field)) settings.SetText(binding.control, image.Text(binding.field));
        break;
    }
  }
}

void EncodeBindings(const EditorSettings& settings, ImageFields& image) {
  const auto family = image.layout().Family();
  if (!family) return;
  for (const CodecBinding& binding : kBindings) {
    if (!InFamilySet(binding.families, *family) || binding.direction == kDecodeOnly) continue;
    switch (binding.source) {
      case kBitField: {
        const BitFieldRow& row = kBitRows[binding.row];
        if (image.Has(row.field)) {
          WriteBits(
              image, row,
              static_cast<unsigned>(LoadNumber(settings.Value(binding.control), binding.control)));
        }
        break;
      }
      case kCodedList: {
        // Without a selection the code table's own fallback item is written.
        const CodedSettingRow& row = kCodedRows[binding.row];
        if (image.Has(row.field)) WriteCodes(image, row, settings.Value(binding.control).number);
        break;
      }
      case kText:
        image.SetText(binding.field, settings.Text(binding.control));
        break;
    }
  }
}

AddressSettings AddressSettingsOf(const EditorSettings& settings) {
  using enum Control;
  AddressSettings addresses;
  for (int n = 1; n <= kAddressCount; ++n) {
    AddressSetting& a = addresses[static_cast<std::size_t>(n - 1)];
    a.capcode = settings.Text(Capcode, n);
    a.messageType = settings.Item(MessageType, n);
    a.frame = settings.Text(Frame, n);
    a.batteryCycle = settings.Text(Collapse, n);
    a.personal = settings.Checked(Personal, n);
    a.priority = settings.Checked(Priority, n);
    a.history = settings.Checked(History, n);
    a.ota = settings.Checked(OtaEnable, n);
    a.languagePointer = settings.Item(LanguagePointer, n);
    a.encryptionKey = settings.Checked(DecryptKey, n);
    a.alertPattern = settings.Item(AlertPattern, n);
    a.alertMode = settings.Item(AlertMode, n);
    a.onOffDuty = settings.Text(OnOffDuty, n);
    a.fixAlert = settings.Text(FixAlert, n);
    a.interruptVib = settings.Text(InterruptVib, n);
    a.escalating = settings.Text(Escalating, n);
  }
  return addresses;
}

void SetAddressSettings(const AddressSettings& addresses, EditorSettings& settings) {
  using enum Control;
  for (int n = 1; n <= kAddressCount; ++n) {
    const AddressSetting& a = addresses[static_cast<std::size_t>(n - 1)];
    settings.SetText(Capcode, n, a.capcode);
    settings.SetItem(MessageType, n, a.messageType);
    settings.SetText(Frame, n, a.frame);
    settings.SetText(Collapse, n, a.batteryCycle);
    settings.SetChecked(Personal, n, a.personal);
    settings.SetChecked(Priority, n, a.priority);
    settings.SetChecked(History, n, a.history);
    settings.SetChecked(OtaEnable, n, a.ota);
    settings.SetItem(LanguagePointer, n, a.languagePointer);
    settings.SetChecked(DecryptKey, n, a.encryptionKey);
    settings.SetItem(AlertPattern, n, a.alertPattern);
    settings.SetItem(AlertMode, n, a.alertMode);
    settings.SetText(OnOffDuty, n, a.onOffDuty);
    settings.SetText(FixAlert, n, a.fixAlert);
    settings.SetText(InterruptVib, n, a.interruptVib);
    settings.SetText(Escalating, n, a.escalating);
  }
}

const std::array<Control, kPromptCount>& PromptControls() {
  // The prompt catalogue names its controls; they are resolved once.
  static const std::array<Control, kPromptCount> controls = [] {
    std::array<Control, kPromptCount> found{};
    for (const PromptInfo& prompt : PromptCatalogue()) {
      found[static_cast<std::size_t>(prompt.extended)] =
          FieldCatalogue::Instance().SingleControlNamed(prompt.field);
    }
    return found;
  }();
  return controls;
}

PromptTexts PromptTextsOf(const EditorSettings& settings) {
  PromptTexts texts;
  const auto& controls = PromptControls();
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = settings.Text(controls[i]);
  return texts;
}

void SetPromptTexts(const PromptTexts& texts, EditorSettings& settings) {
  const auto& controls = PromptControls();
  for (std::size_t i = 0; i < texts.size(); ++i) settings.SetText(controls[i], texts[i]);
}

}  // namespace rer
