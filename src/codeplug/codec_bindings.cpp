#include "codeplug/codec_bindings.h"

#include <array>
#include <charconv>
#include <string>

#include "codeplug/layout_codes.h"

namespace rer {
namespace {

using enum BindingSource;
using enum BindingDirection;

constexpr CodecBinding Bits(std::string_view control, FamilySet families = kBothFamilies,
                            BindingDirection direction = kBoth) {
  return {control, kBitField, control, Field::kCount, families, direction};
}

constexpr CodecBinding Coded(std::string_view control, std::string_view row) {
  return {control, kCodedList, row, Field::kCount, kBothFamilies, kBoth};
}

constexpr CodecBinding Text(std::string_view control, Field field) {
  return {control, kText, {}, field, kBothFamilies, kBoth};
}

// The bit rows carry the control's own name, so a bit binding names it once.
constexpr auto kBindings = std::to_array<CodecBinding>({
    // Option byte 1 and the feature byte.
    Bits("cb_ZoomDefault"),  // 1 KB: option byte 1; 4 KB: the duty byte
    Bits("cb_MaildropFirstCapcode"),
    Bits("cb_RF_Timing"),
    // The 1 KB encode always sets this bit; only the decode shows it.
    Bits("cb_priorityWithout", kOnly1K, kDecodeOnly),
    Bits("cb_priorityWithout", kOnly4K),
    Bits("cb_rfProgrammingEnabled"),
    Bits("cb_supportOTAAlphaVector", kOnly4K),

    // Feature bytes.
    Bits("cb_maildropMessageNotebook"),
    Bits("cb_personalMessageNotebook"),
    Bits("cb_printerEnabled"),
    Bits("cb_individualMessageAlarm"),
    Bits("cb_memoryCleanup"),
    Bits("cb_disableAllAlerts"),
    Bits("cb_deafPager"),
    Bits("cb_allowOff"),
    Bits("cb_manualDelete"),
    Bits("cb_messageLocking"),
    Bits("cb_realTimeClock"),
    Bits("cb_privateTime"),
    Bits("cb_zoom"),
    Bits("cb_userChangableAlertMode"),
    Bits("cb_userSelectableAlerts"),
    Coded("cb_functionMenuDisplay", "cb_functionMenuDisplay"),
    Bits("cb_messagePreview"),
    Bits("cb_badDataIndication"),
    Bits("cb_twoBitErrorIndication"),
    Bits("cb_truncatedMessageIndicator"),
    Bits("cb_messageContinueIndicator"),
    Bits("cb_ignoreCR"),
    Bits("cb_internationalDate"),
    Bits("cb_showTimeStamp"),
    Bits("cb_autoAlarmTurnOn"),
    // The box's state is the canned level 0-2.
    Coded("cb_ideoNumericCanned", "IdeoNumericCannedLevel"),
    Bits("cb_showSource"),
    Bits("cb_retainBetterMaildrop"),
    Bits("cb_retainErroredNonNumeric"),
    Bits("cb_retainErroredNumeric"),
    Bits("cb_sourceIndependentDuplication"),
    Bits("cb_duplication"),
    Bits("cb_nonVolatileMemory"),
    Bits("cb_oorAudibleOnNoAlert"),
    Bits("cb_incomingMsgPrint"),
    Bits("cb_autoBacklight"),
    Bits("cb_showMemFull"),
    Bits("cb_batteryGauge"),
    Bits("cb_alarmAlwaysAudible"),
    Bits("cb_keyChirp"),
    Bits("cb_std4RepeatPeriod"),
    Bits("cb_vibrator"),
    Bits("cb_std4PulseDuration"),
    Bits("cb_oorAlert"),
    Bits("cb_lowCellAlert"),
    // Items 0 and 1; the 4 KB family's item 2 lives in another byte and is
    // added by hand after the table.
    Bits("cb_alertDuration"),
    Bits("cb_manualAlertReset"),

    // Time codes and the other lists stored as codes.
    Coded("cb_reminderAlertInterval", "cb_reminderAlertInterval"),
    Coded("cb_reminderAlertTimeout", "cb_reminderAlertTimeout"),
    Coded("cb_sequentialLockoutPeriod", "cb_sequentialLockoutPeriod"),
    Coded("cb_readTimeout", "cb_readTimeout"),
    Coded("cb_readScrollTime", "cb_readScrollTime"),
    Bits("cb_alertFrequency"),
    Coded("cb_flexFrames", "cb_flexFrames"),
    Coded("cb_oorTime", "cb_oorTime"),

    // Printing, language area and battery gauge.
    Bits("cb_printEtx"),
    Bits("cb_printCRwithLF"),
    Bits("cb_area_code_suffix"),
    Bits("cb_exchange_suffix"),
    Bits("cb_disp_slot_msg"),
    Bits("cb_err_msg_detect"),
    Bits("cb_silentRFProgramming", kOnly4K),
    Bits("cb_B14bitDecoding"),
    Bits("cb_batteryGaugeHiLevel"),
    Bits("cb_batteryGaugeMedLevel"),
    Bits("cb_batteryGaugeLoLevel"),

    // 4 KB reminder, duty and user-password options.
    Bits("cb_defaultReminderAlertPattern", kOnly4K),
    Bits("cb_fixAlert", kOnly4K),
    Bits("cb_defaultReminderEscalatingMode", kOnly4K),
    Bits("cb_defaultReminderVibMode", kOnly4K),
    Bits("cb_defaultReminderAlertMode", kOnly4K),
    Bits("cb_turnOnPager", kOnly4K),
    Bits("cb_timeFormat", kOnly4K),
    Bits("cb_selDutySource", kOnly4K),
    Bits("cb_onOffDuty", kOnly4K),
    Bits("cb_reminderAlertDuration", kOnly4K),
    Bits("cb_fUif_User_Password_Level", kOnly4K),
    Bits("cb_fUif_User_Password_Enable", kOnly4K),
    // Shown, but every encode clears both bytes.
    Bits("ck_cpfUif_Paging_Auto_Backlight", kOnly4K, kDecodeOnly),
    Bits("ck_cpfUif_New_Msg_Auto_Display", kOnly4K, kDecodeOnly),
    Bits("ck_CP_EP1_HP_Enable", kOnly4K, kDecodeOnly),

    // Fixed-width texts.
    Text("ed_serialNumber", Field::kSerialNumber),
    Text("ed_ICN", Field::kInventoryNumber),
});

bool AppliesTo(const CodecBinding& binding, const ImageReader& image) {
  const auto family = image.layout().Family();
  return family && InFamilySet(binding.families, *family);
}

ControlKind KindOf(std::string_view control) {
  const ControlEntry* entry = FieldCatalogue::Instance().Find(control);
  return entry ? entry->kind : ControlKind::Text;
}

// Lists take the value as their item, check boxes as their state.
void StoreNumber(EditorSettings& settings, std::string_view control, int value) {
  if (KindOf(control) == ControlKind::CheckBox) {
    settings.SetCheckState(control, value);
  } else {
    settings.SetItem(control, value);
  }
}

// A list without selection is written as its first item.
int LoadNumber(const EditorSettings& settings, std::string_view control) {
  if (KindOf(control) == ControlKind::CheckBox) return settings.CheckState(control);
  const int item = settings.Item(control);
  return item == kNoItem ? 0 : item;
}

}  // namespace

std::span<const CodecBinding> CodecBindings() {
  return kBindings;
}

void DecodeBindings(const ImageReader& image, EditorSettings& settings) {
  for (const CodecBinding& binding : kBindings) {
    if (!AppliesTo(binding, image)) continue;
    switch (binding.source) {
      case kBitField:
        if (const auto value = ReadBitField(image, binding.row)) {
          StoreNumber(settings, binding.control, static_cast<int>(*value));
        }
        break;
      case kCodedList:
        if (const auto item = ReadCodedSetting(image, binding.row)) {
          StoreNumber(settings, binding.control, *item);
        }
        break;
      case kText:
        if (image.Has(binding.field)) settings.SetText(binding.control, image.Text(binding.field));
        break;
    }
  }
}

void EncodeBindings(const EditorSettings& settings, ImageFields& image) {
  for (const CodecBinding& binding : kBindings) {
    if (!AppliesTo(binding, image) || binding.direction == kDecodeOnly) continue;
    switch (binding.source) {
      case kBitField:
        WriteBitField(image, binding.row,
                      static_cast<unsigned>(LoadNumber(settings, binding.control)));
        break;
      case kCodedList: {
        // Without a selection the code table's own fallback item is written.
        const int number = KindOf(binding.control) == ControlKind::List
                               ? settings.Item(binding.control)
                               : settings.CheckState(binding.control);
        WriteCodedSetting(image, binding.row, number);
        break;
      }
      case kText:
        image.SetText(binding.field, settings.Text(binding.control));
        break;
    }
  }
}

AddressSettings AddressSettingsOf(const EditorSettings& settings) {
  using enum AddressControl;
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
  using enum AddressControl;
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

PromptTexts PromptTextsOf(const EditorSettings& settings) {
  PromptTexts texts;
  for (const PromptInfo& prompt : PromptCatalogue()) {
    texts[static_cast<std::size_t>(prompt.extended)] = settings.Text(prompt.field);
  }
  return texts;
}

void SetPromptTexts(const PromptTexts& texts, EditorSettings& settings) {
  for (const PromptInfo& prompt : PromptCatalogue()) {
    settings.SetText(prompt.field, texts[static_cast<std::size_t>(prompt.extended)]);
  }
}

}  // namespace rer
