#include "codeplug/layout_bits.h"

#include <array>

namespace rer {
namespace {

using enum BitCoding;

constexpr BitFieldRow Bit(std::string_view name, Field field, int bit, BitCoding coding = kPlain,
                          FamilySet families = kBothFamilies) {
  return {name, families, field, static_cast<std::uint8_t>(bit), 1, coding};
}

constexpr BitFieldRow Bits(std::string_view name, Field field, int low, int width,
                           BitCoding coding = kPlain, FamilySet families = kBothFamilies) {
  return {name,  families, field, static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(width),
          coding};
}

constexpr auto kBitFields = std::to_array<BitFieldRow>({
    // Wrong-try counters of the password checks.
    Bits("LocalWrongTries", Field::kStatusByte, 4, 3),
    Bit("ManyWrongTries", Field::kStatusByte, 3),
    Bits("SecureWrongTries", Field::kStatusByte, 0, 3),

    // Option byte 1: the two families give some bits different meanings.
    Bit("cb_ZoomDefault", Field::kOptionByte1, 7, kPlain, kOnly1K),
    Bit("cb_MaildropFirstCapcode", Field::kOptionByte1, 6),
    Bit("cb_priorityWithout", Field::kOptionByte1, 5, kPlain, kOnly1K),
    Bit("cb_RF_Timing", Field::kOptionByte1, 4),
    // In 4 KB codeplugs up to 4.6.4 the two enables lie elsewhere (rows below).
    Bit("cb_enableLocalPasswd", Field::kOptionByte1, 2),
    Bit("cb_enableSecurePasswd", Field::kOptionByte1, 1),
    Bit("LocalPasswordEnableUpTo464", Field::kOptionByte1, 0, kPlain, kOnly4K),

    Bit("cb_rfProgrammingEnabled", Field::kFeatureOptions, 3, kInverted),
    Bit("cb_supportOTAAlphaVector", Field::kFeatureOptions, 4, kPlain, kOnly4K),
    Bit("SecurePasswordEnableUpTo464", Field::kFeatureOptions, 7, kPlain, kOnly4K),

    Bit("cb_maildropMessageNotebook", Field::kNotebookOptions, 7),
    Bit("cb_personalMessageNotebook", Field::kNotebookOptions, 6),
    Bit("cb_printerEnabled", Field::kNotebookOptions, 5),
    Bit("cb_individualMessageAlarm", Field::kNotebookOptions, 4),
    Bit("cb_memoryCleanup", Field::kNotebookOptions, 3),
    Bit("cb_disableAllAlerts", Field::kNotebookOptions, 2, kInverted),
    // Items "Standard" (0) and "Deaf" (1); the bit is set for "Standard".
    Bit("cb_deafPager", Field::kNotebookOptions, 1, kInverted),
    Bit("cb_allowOff", Field::kNotebookOptions, 0),

    Bit("cb_manualDelete", Field::kMessageOptions, 7),
    Bit("cb_messageLocking", Field::kMessageOptions, 6),
    Bit("cb_realTimeClock", Field::kMessageOptions, 5),
    Bit("cb_privateTime", Field::kMessageOptions, 4),
    Bit("cb_zoom", Field::kMessageOptions, 3),
    Bit("cb_userChangableAlertMode", Field::kMessageOptions, 2),
    Bit("cb_userSelectableAlerts", Field::kMessageOptions, 1),

    // 01 "Prompts", 10 "Icons", 11 "Both"; 00 reads as "Prompts".
    Bits("cb_functionMenuDisplay", Field::kIndicatorOptions, 6, 2, kCoded),
    Bit("cb_messagePreview", Field::kIndicatorOptions, 5, kInverted),
    Bit("cb_badDataIndication", Field::kIndicatorOptions, 4),
    Bit("cb_twoBitErrorIndication", Field::kIndicatorOptions, 3, kInverted),
    Bit("cb_truncatedMessageIndicator", Field::kIndicatorOptions, 2),
    Bit("cb_messageContinueIndicator", Field::kIndicatorOptions, 1),
    Bit("cb_ignoreCR", Field::kIndicatorOptions, 0),

    Bit("cb_internationalDate", Field::kClockOptions, 7),
    Bit("cb_showTimeStamp", Field::kClockOptions, 6),
    Bit("cb_autoAlarmTurnOn", Field::kClockOptions, 5),
    // Level 0-2: 00 = 0, 01 = 1, 11 = 2, and 10 reads as 2.
    Bits("IdeoNumericCannedLevel", Field::kClockOptions, 3, 2, kCoded),
    Bit("ToneOnlySource5to8", Field::kClockOptions, 2),
    Bit("IdeoPrompts", Field::kClockOptions, 1),
    Bit("cb_showSource", Field::kClockOptions, 0),

    Bit("cb_retainBetterMaildrop", Field::kRetentionOptions, 6),
    Bit("cb_retainErroredNonNumeric", Field::kRetentionOptions, 5),
    Bit("cb_retainErroredNumeric", Field::kRetentionOptions, 4),
    Bit("LargeMemory", Field::kRetentionOptions, 3),
    Bit("cb_sourceIndependentDuplication", Field::kRetentionOptions, 2),
    Bit("cb_duplication", Field::kRetentionOptions, 1),
    Bit("cb_nonVolatileMemory", Field::kRetentionOptions, 0),

    Bit("cb_oorAudibleOnNoAlert", Field::kAudibleOptions, 7, kInverted),
    Bit("cb_incomingMsgPrint", Field::kAudibleOptions, 6),
    Bit("cb_autoBacklight", Field::kAudibleOptions, 4),
    Bit("cb_showMemFull", Field::kAudibleOptions, 3),
    Bit("cb_batteryGauge", Field::kAudibleOptions, 2),
    Bit("cb_alarmAlwaysAudible", Field::kAudibleOptions, 1),
    Bit("cb_keyChirp", Field::kAudibleOptions, 0),

    Bit("cb_std4RepeatPeriod", Field::kAlertOptions, 7),
    Bit("cb_vibrator", Field::kAlertOptions, 6),
    Bit("cb_std4PulseDuration", Field::kAlertOptions, 5),
    Bit("cb_oorAlert", Field::kAlertOptions, 3),
    Bit("cb_lowCellAlert", Field::kAlertOptions, 2),
    Bit("cb_alertDuration", Field::kAlertOptions, 1),
    Bit("cb_manualAlertReset", Field::kAlertOptions, 0),

    Bits("cb_alertFrequency", Field::kAlertFrequency, 0, 4),

    Bit("ToneOnlySource1to4", Field::kToneOnlySource, 6),
    // Decoded from the low nibble; the encode step stores the whole number.
    Bits("ed_displayContrast", Field::kDisplayContrast, 0, 4, kCoded),

    Bit("cb_printEtx", Field::kPrintOptions, 7),
    Bit("cb_printCRwithLF", Field::kPrintOptions, 6),
    Bit("cb_area_code_suffix", Field::kPrintOptions, 5),
    Bit("cb_exchange_suffix", Field::kPrintOptions, 4),
    Bits("cb_disp_slot_msg", Field::kPrintOptions, 1, 2),
    Bit("cb_err_msg_detect", Field::kPrintOptions, 0),

    // 1-16 names a language; 0 and any other value mean none.
    Bits("PromptLanguage", Field::kLanguageByte, 3, 5, kCoded),
    Bit("cb_silentRFProgramming", Field::kSilentRfOptions, 7, kPlain, kOnly4K),
    Bit("cb_B14bitDecoding", Field::kDecodingOptions, 7),
    Bits("PrinterCodeCopy", Field::kDecodingOptions, 0, 5),

    Bits("cb_batteryGaugeHiLevel", Field::kBatteryGaugeLevels, 12, 4),
    Bits("cb_batteryGaugeMedLevel", Field::kBatteryGaugeLevels, 8, 4),
    Bits("cb_batteryGaugeLoLevel", Field::kBatteryGaugeLevels, 4, 4),
    Bits("IdeoRomCode", Field::kIdeoRomCode, 0, 4),

    Bit("cb_nwBand", Field::kBandByte, 7),
    Bits("cb_freqBand", Field::kBandByte, 3, 4),
    Bit("SynthTypeFS8308", Field::kBandByte, 2, kPlain, kOnly1K),
    // 2 = high side; the encode step writes 1 or 2.
    Bits("InjectionSide", Field::kBandByte, 0, 2, kCoded),

    // Minutes, and seconds divided by 15.
    Bits("ed_missed_frame_count_min", Field::kMissedFrameTime, 2, 6),
    Bits("ed_missed_frame_count_sec", Field::kMissedFrameTime, 0, 2, kCoded),

    // 4 KB family only.
    Bits("cb_defaultReminderAlertPattern", Field::kDefaultReminderPattern, 0, 4, kPlain, kOnly4K),
    Bit("cb_fixAlert", Field::kDefaultReminderOptions, 5, kPlain, kOnly4K),
    Bit("cb_defaultReminderEscalatingMode", Field::kDefaultReminderOptions, 4, kPlain, kOnly4K),
    Bit("cb_defaultReminderVibMode", Field::kDefaultReminderOptions, 3, kPlain, kOnly4K),
    Bits("cb_defaultReminderAlertMode", Field::kDefaultReminderOptions, 0, 3, kPlain, kOnly4K),
    Bit("cb_turnOnPager", Field::kDutyOptions, 7, kPlain, kOnly4K),
    Bit("cb_timeFormat", Field::kDutyOptions, 6, kPlain, kOnly4K),
    Bit("cb_newAlertMenu", Field::kDutyOptions, 5, kPlain, kOnly4K),
    Bit("cb_selDutySource", Field::kDutyOptions, 3, kPlain, kOnly4K),
    Bit("cb_onOffDuty", Field::kDutyOptions, 1, kPlain, kOnly4K),
    Bit("cb_ZoomDefault", Field::kDutyOptions, 0, kPlain, kOnly4K),
    Bit("cb_priorityWithout", Field::kReminderDurationOptions, 3, kPlain, kOnly4K),
    Bits("cb_reminderAlertDuration", Field::kReminderDurationOptions, 1, 2, kPlain, kOnly4K),
    // Set when the alert duration is item 2.
    Bit("AlertDurationLong", Field::kReminderDurationOptions, 0, kPlain, kOnly4K),
    // Key presses minus 2.
    Bits("UserPasswordKeyCount", Field::kUserPasswordOptions, 5, 3, kCoded, kOnly4K),
    Bit("cb_fUif_User_Password_Level", Field::kUserPasswordOptions, 4, kPlain, kOnly4K),
    Bit("cb_fUif_User_Password_Enable", Field::kUserPasswordOptions, 3, kPlain, kOnly4K),
    Bit("ck_cpfUif_Paging_Auto_Backlight", Field::kHpOptions, 15, kPlain, kOnly4K),
    Bit("ck_cpfUif_New_Msg_Auto_Display", Field::kHpOptions, 14, kPlain, kOnly4K),
    Bit("ck_CP_EP1_HP_Enable", Field::kHpOptions, 4, kPlain, kOnly4K),

    // Per address (index = address - 1).
    Bits("AddressOption.language", Field::kAddressOptionByte, 6, 2, kCoded),
    Bit("AddressOption.personal", Field::kAddressOptionByte, 5),
    Bit("AddressOption.messageType", Field::kAddressOptionByte, 4),
    Bit("AddressOption.priority", Field::kAddressOptionByte, 3),
    Bits("AddressOption.batteryCycle", Field::kAddressOptionByte, 0, 3),
    Bits("AlertWord.pattern", Field::kAlertWord, 8, 8, kCoded, kOnly4K),
    Bit("AlertWord.onOffDuty", Field::kAlertWord, 6, kPlain, kOnly4K),
    Bit("AlertWord.fixAlert", Field::kAlertWord, 5, kPlain, kOnly4K),
    Bit("AlertWord.escalating", Field::kAlertWord, 4, kPlain, kOnly4K),
    Bit("AlertWord.interruptVib", Field::kAlertWord, 3, kPlain, kOnly4K),
    Bits("AlertWord.mode", Field::kAlertWord, 0, 3, kCoded, kOnly4K),
});

constexpr FixedBitsRow Fixed(Field field, std::uint16_t mask, std::uint16_t value,
                             FamilySet families = kBothFamilies) {
  return {families, field, mask, value};
}

constexpr auto kFixedBits = std::to_array<FixedBitsRow>({
    // 1 KB: bit 5 always 1, bits 3 and 0 always 0. 4 KB: bits 7, 5, 3, 0 are 0
    // (the encode step writes the newer password arrangement).
    Fixed(Field::kOptionByte1, 0x29, 0x20, kOnly1K),
    Fixed(Field::kOptionByte1, 0xA9, 0x00, kOnly4K),
    // Only bit 3 (and bit 4 in the 4 KB family) carry settings.
    Fixed(Field::kFeatureOptions, 0xF7, 0x00, kOnly1K),
    Fixed(Field::kFeatureOptions, 0xE7, 0x00, kOnly4K),
    Fixed(Field::kAlertOptions, 0x10, 0x00),
    Fixed(Field::kPrintOptions, 0x08, 0x00),
    Fixed(Field::kLanguageByte, 0x07, 0x00),
    Fixed(Field::kSilentRfOptions, 0x7F, 0x00, kOnly4K),
    Fixed(Field::kDecodingOptions, 0x60, 0x00),
    Fixed(Field::kBatteryGaugeLevels, 0x000F, 0x0000),
    Fixed(Field::kDefaultReminderPattern, 0xF0, 0x00, kOnly4K),
    Fixed(Field::kDefaultReminderOptions, 0xC0, 0x00, kOnly4K),
    Fixed(Field::kDutyOptions, 0x14, 0x00, kOnly4K),
    Fixed(Field::kReminderDurationOptions, 0xF0, 0x00, kOnly4K),
    Fixed(Field::kUserPasswordOptions, 0x07, 0x00, kOnly4K),
    Fixed(Field::kAlertWord, 0x0080, 0x0000, kOnly4K),
});

}  // namespace

bool InFamilySet(FamilySet set, PagerFamily family) {
  const unsigned bit = family == PagerFamily::k1K ? kOnly1K : kOnly4K;
  return (set & bit) != 0;
}

std::span<const BitFieldRow> BitFieldRows() {
  return kBitFields;
}
std::span<const FixedBitsRow> FixedBitsRows() {
  return kFixedBits;
}

const BitFieldRow* FindBitField(PagerFamily family, std::string_view name) {
  for (const BitFieldRow& row : kBitFields) {
    if (row.name == name && InFamilySet(row.families, family)) return &row;
  }
  return nullptr;
}

namespace {

const BitFieldRow* RowInForce(const ImageReader& image, std::string_view name, int index) {
  const auto family = image.layout().Family();
  if (!family) return nullptr;
  const BitFieldRow* row = FindBitField(*family, name);
  if (!row || !image.Has(FieldRef(row->field, index))) return nullptr;
  return row;
}

unsigned WidthMask(const BitFieldRow& row) {
  return (1u << row.width) - 1u;
}

}  // namespace

std::optional<unsigned> ReadBitField(const ImageReader& image, std::string_view name, int index) {
  const BitFieldRow* row = RowInForce(image, name, index);
  if (!row) return std::nullopt;
  const unsigned bits = image.Bits(FieldRef(row->field, index), row->low, row->width);
  return row->coding == BitCoding::kInverted ? (bits ^ WidthMask(*row)) : bits;
}

bool WriteBitField(ImageFields& image, std::string_view name, unsigned value, int index) {
  const BitFieldRow* row = RowInForce(image, name, index);
  if (!row) return false;
  unsigned bits = value & WidthMask(*row);
  if (row->coding == BitCoding::kInverted) bits ^= WidthMask(*row);
  image.SetBits(FieldRef(row->field, index), row->low, row->width, bits);
  return true;
}

void ApplyFixedBits(ImageFields& image) {
  const auto family = image.layout().Family();
  if (!family) return;
  for (const FixedBitsRow& row : kFixedBits) {
    if (!InFamilySet(row.families, *family)) continue;
    const int count = image.layout().Place(row.field).count;
    for (int index = 0; index < count; ++index) {
      const FieldRef ref(row.field, index);
      image.SetValue(ref, (image.Value(ref) & ~row.mask) | (row.value & row.mask));
    }
  }
}

}  // namespace rer
