#include "codeplug/encode.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "codeplug/codeplug_version.h"
#include "codeplug/decode_texts.h"
#include "codeplug/encode_address_settings.h"
#include "codeplug/encode_prompts.h"
#include "codeplug/firmware_patches.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_bits.h"
#include "codeplug/layout_codes.h"
#include "codeplug/system_records.h"
#include "core/cgrom_kind.h"
#include "core/result_codes.h"
#include "core/text.h"
#include "prompts/national_char_set.h"
#include "synth/pll_params.h"
#include "synth/synth_codes.h"
#include "synth/synth_encode.h"

namespace rer {
namespace {

// ---- Constants of the encode step ----

// The firmware generation mark: the first rule that applies names it.
struct FirmwareMarkRule {
  bool (*applies)(const FirmwareFlags&);
  char mark;
};

constexpr FirmwareMarkRule kFirmwareMarks4K[] = {
    {[](const FirmwareFlags& f) { return f.AnyR0407To0409(); }, '6'},
    {[](const FirmwareFlags& f) { return f.AnyR0501Or0502(); }, 'A'},
};
constexpr FirmwareMarkRule kFirmwareMarks1K[] = {
    {[](const FirmwareFlags& f) { return f.R0404; }, '4'},
    {[](const FirmwareFlags& f) { return f.R0406; }, '6'},
};
constexpr char kFirmwareMarkBase1K = '1';  // no 4 KB rule applies: the mark is kept

// Bytes of the synthesizer area after its words and code bytes, counted
// from its start (the N word).
constexpr int kAreaMarkByte = 8;
constexpr int kAreaSignatureByte = 9;
constexpr std::uint8_t kAreaMark = 0x06;
constexpr std::array<std::uint8_t, 3> kAreaSignature{0x5A, 0x4E, 0x62};
constexpr std::uint8_t kAreaByte1Of1K = 0x5A;
// The newest firmware wants these in the synthesizer area and firmware level.
constexpr std::uint8_t kAreaByte1NewFirmware4K = 0xD0;
constexpr std::uint8_t kFirmwareLevelNewFirmware4K = 2;

// Large memory: a memory value above this.
constexpr int kLargeMemoryAbove = 31;
// What the memory value is without a memory reply from the link.
constexpr int kLargeMemoryValue = 32;
constexpr int kSmallMemoryValue = 8;

// Items of lists the encode step looks at.
constexpr int kNewAlertMenuYes = 1;
constexpr int kAlertDurationLongItem = 2;
constexpr int kPleasingAlertCustom = 1;
enum ToneOnlySourceItem : int { kToneNone = 0, kTone1to4 = 1, kTone5to8 = 2, kTone1to8 = 3 };

// The 4 KB reminder duration byte while the new alert menu is off: the
// reminder duration bits say "12 sec" and the long-alert bit is clear.
constexpr std::uint8_t kReminderDurationsWithoutNewMenu = 0x0C;

// The display contrast the page shows after a value above the range.
constexpr int kContrastMax = 15;
constexpr const char* kContrastShownWhenTooHigh = "9";

constexpr int kMaxPromptLanguage = 16;
constexpr int kMinUserPasswordKeys = 2;
constexpr unsigned kMaxUserPasswordTimeout = 43200;  // 12 hours
constexpr unsigned kMaxHpErrorNumber = 255;
constexpr int kSecondsPerMissedFrameStep = 15;
constexpr int kMissedFrameMinuteShift = 2;
constexpr unsigned kMaxMissedFrameMinutes = 60;
constexpr unsigned kMaxMissedFrameSeconds = 45;

// Bits that no control shows and every encode writes back from the settings.
constexpr int kCarriedMessageOptionBit = 0;    // 0x037
constexpr int kCarriedRetentionOptionBit = 7;  // 0x03A
constexpr int kCarriedAudibleOptionBit = 5;    // 0x03B
// The 1 KB model whose R0406 firmware wants the carried 0x037 bit clear.
constexpr int kModelIndexOneMessage1K = 10;

// The 1 KB family's Chinese-capable character generators (canned range).
bool HasChineseRom(int cgromType) {
  return IsChineseCgrom(cgromType);
}

// The number at the start of a text, blanks around it ignored; 0 for none.
unsigned NumberOfText(std::string_view text) {
  const std::string trimmed = Trim(text);
  unsigned value = 0;
  std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  return value;
}

// ---- The steps shared by both families ----

class Encoder {
 public:
  Encoder(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
          const EncodeContext& context)
      : settings_(settings),
        layout_(layout),
        image_(image),
        fields_(image, layout),
        context_(context),
        family_(*layout.Family()) {}

  void WriteDefaultsWhenLoaded() {
    if (!settings_.defaultsLoaded) return;
    ApplyFactoryDefaults(image_, family_);
    settings_.defaultsLoaded = false;
    settings_.SetChecked(Control::cb_err_msg_detect, true);
  }

  void WriteEveryEncodeBytes() { WriteFixedBytes(fields_, EveryEncodeBytes()); }

  void WriteIdentity() {
    fields_.SetByte(Field::kStatusByte, 0);
    if (family_ == PagerFamily::k1K || context_.programming) {
      fields_.SetByte(Field::kModelByte, context_.modelCode);
    }
    WriteFirmwareMark();
    WritePassword(Field::kOtaPasswordText, context_.passwords.ota);
    WritePassword(Field::kLocalPasswordText, context_.passwords.local);
  }

  // The simple bindings, with the serial number left alone outside a program
  // sequence: a file or a re-encode must not give the image another serial.
  void WriteBoundSettings() {
    const std::string serial = fields_.Text(Field::kSerialNumber);
    EncodeBindings(settings_, fields_);
    if (!context_.programming) fields_.SetText(Field::kSerialNumber, serial);
    // The newer password arrangement (the fixed bits clear the older one).
    WriteBitField(fields_, Control::cb_enableLocalPasswd,
                  settings_.Checked(Control::cb_enableLocalPasswd));
    WriteBitField(fields_, Control::cb_enableSecurePasswd,
                  settings_.Checked(Control::cb_enableSecurePasswd));
  }

  void WriteDecodingOptions() {
    if (context_.cgromType == kCgromNone) WriteBitField(fields_, Control::cb_B14bitDecoding, 0);
  }

  void WriteFeatureBytes() {
    const int memory = context_.memoryReply.value_or(settings_.largeMemory ? kLargeMemoryValue
                                                                           : kSmallMemoryValue);
    if (context_.modelCode == kFourAddressModel) {
      WriteBitField(fields_, Control::cb_maildropMessageNotebook, 0);
    }
    WriteBitField(fields_, "LargeMemory", memory > kLargeMemoryAbove);
    const bool notebook = ReadBitField(fields_, Control::cb_maildropMessageNotebook).value_or(0) ||
                          ReadBitField(fields_, Control::cb_personalMessageNotebook).value_or(0);
    if (notebook) WriteBitField(fields_, Control::cb_manualDelete, 1);
    if (context_.cgromType == kCgromNone)
      WriteCodedSetting(fields_, Control::cb_ideoNumericCanned, 0);
    WriteBitField(fields_, "IdeoPrompts", settings_.ideoPrompts);
    fields_.SetBit(Field::kMessageOptions, kCarriedMessageOptionBit,
                   settings_.carriedOptions.option037Bit0);
    fields_.SetBit(Field::kRetentionOptions, kCarriedRetentionOptionBit,
                   settings_.carriedOptions.option03ABit7);
    fields_.SetBit(Field::kAudibleOptions, kCarriedAudibleOptionBit,
                   settings_.carriedOptions.option03BBit5);
  }

  // 4 KB: the alert durations of the new alert menu, or the fixed pattern.
  void WriteReminderDurations() {
    WriteBitField(fields_, Control::cb_newAlertMenu, NewAlertMenu());
    if (NewAlertMenu()) {
      WriteBitField(fields_, "AlertDurationLong",
                    settings_.Item(Control::cb_alertDuration) == kAlertDurationLongItem);
    } else {
      fields_.SetByte(Field::kReminderDurationOptions, kReminderDurationsWithoutNewMenu);
    }
    WriteBitField(fields_, Control::cb_priorityWithout,
                  settings_.Checked(Control::cb_priorityWithout));
  }

  void WritePleasingAlert() {
    if (settings_.Item(Control::cb_programmablePleasingAlert) == kPleasingAlertCustom) {
      fields_.SetBytes(Field::kPleasingAlertTune, settings_.pleasingAlertTune);
    } else {
      WriteDefaultPleasingTune(fields_);
    }
  }

  void BlankUnusedArea() { FillWhole(Field::kBlankedArea, 0); }

  void WritePrompts() { EncodePrompts(settings_, layout_, image_); }

  void WriteCharacterSets() {
    const bool chinese = HasChineseRom(context_.cgromType);
    fields_.SetValue(Field::kCannedRangeStart,
                     chinese ? CannedWordOfText(settings_.Text(Control::ed_startCannedMsg)) : 0);
    fields_.SetValue(Field::kCannedRangeEnd,
                     chinese ? CannedWordOfText(settings_.Text(Control::ed_endCannedMsg)) : 0);
    const NationalRow row = NationalCharRow(settings_.Item(Control::cb_internationalCharSet));
    fields_.SetBytes(Field::kNationalCharRow, row);
    if (const auto mark = IdeoRomMark1(context_.cgromType)) {
      fields_.SetByte(Field::kIdeoRomMark1, *mark);
    }
    if (const auto mark = IdeoRomMark2(context_.cgromType)) {
      fields_.SetByte(Field::kIdeoRomMark2, *mark);
    }
  }

  void WriteToneOnlySource() {
    const int item = settings_.Item(Control::cb_showToneOnlySource);
    WriteBitField(fields_, "ToneOnlySource1to4", item == kTone1to4 || item == kTone1to8);
    WriteBitField(fields_, "ToneOnlySource5to8", item == kTone5to8 || item == kTone1to8);
  }

  // The contrast goes in as entered; the page then shows 9 for a value above
  // the range, as the pager will.
  void WriteContrastAndAdjustments() {
    const unsigned contrast = NumberOfText(settings_.Text(Control::ed_displayContrast));
    fields_.SetByte(Field::kDisplayContrast, static_cast<std::uint8_t>(contrast));
    fields_.SetByte(Field::kSynthArea, static_cast<std::uint8_t>(~settings_.iconContrast & 3),
                    kSynthAreaIconContrastByte);
    if (contrast > kContrastMax)
      settings_.SetText(Control::ed_displayContrast, kContrastShownWhenTooHigh);
    fields_.SetByte(Field::kServiceAdjustment,
                    static_cast<std::uint8_t>(settings_.clockSecondAdjust));
  }

  // The printer code byte is written only while the printer is enabled; the
  // decoding options carry a copy of whatever it then holds, so that the two
  // never disagree and a decode and encode leave both as they were.
  void WritePrinterCode() {
    if (settings_.Checked(Control::cb_printerEnabled)) {
      WriteCodedSetting(fields_, "PrinterCode", settings_.printerCodeIndex);
    }
    WriteBitField(fields_, "PrinterCodeCopy", fields_.Byte(Field::kPrinterCode));
  }

  void WriteLanguageAndRom() {
    WriteBitField(fields_, "IdeoRomCode", IdeoRomCode(context_.cgromType));
    const int language = settings_.promptLanguage;
    WriteBitField(fields_, "PromptLanguage",
                  language >= 1 && language <= kMaxPromptLanguage ? language : 0);
  }

  void WriteVersionAndSecurePassword() {
    WriteCodeplugVersion(fields_, kSystemCodeplugVersion);
    if (settings_.Checked(Control::cb_enableSecurePasswd)) {
      WritePassword(Field::kSecurePasswordText, context_.passwords.secure);
    }
  }

  void WriteSynthesizer() {
    if (context_.synth == nullptr) return;
    const SynthEncodeRequest request{std::max(settings_.Item(Control::cb_PLL_Type), 0),
                                     std::max(settings_.Item(Control::cb_freqBand), 0)};
    EncodeSynthWords(*context_.synth, image_.Bytes(), SynthFamilyOf(), request);
  }

  void WriteSynthAreaConstants() {
    fields_.SetByte(Field::kSynthArea, kAreaMark, kAreaMarkByte);
    for (std::size_t i = 0; i < kAreaSignature.size(); ++i) {
      fields_.SetByte(Field::kSynthArea, kAreaSignature[i],
                      kAreaSignatureByte + static_cast<int>(i));
    }
  }

  void WriteSynthAreaKeptBytes() {
    std::uint8_t first = settings_.kept.synthAreaByte1;
    if (family_ == PagerFamily::k1K) {
      first = kAreaByte1Of1K;
    } else if (context_.firmware.AnyR0501Or0502()) {
      first = kAreaByte1NewFirmware4K;
      fields_.SetByte(Field::kFirmwareLevel, kFirmwareLevelNewFirmware4K);
    }
    fields_.SetByte(Field::kSynthArea, first, kSynthAreaKeptByte1);
    fields_.SetByte(Field::kSynthArea, settings_.kept.synthAreaByte2, kSynthAreaKeptByte2);
  }

  void WriteCarriedRegion() { fields_.SetBytes(Field::kCarriedRegion, settings_.carriedRegion); }

  void WriteSystemRecordTable() {
    const RfTiming timing =
        settings_.Item(Control::cb_RF_Timing) == static_cast<int>(RfTiming::k25ms)
            ? RfTiming::k25ms
            : RfTiming::k70ms;
    WriteSystemRecords(image_, layout_, settings_.Checked(Control::cb_dataInversion), timing);
  }

  // Option and frame bytes, frame map, frame search times and address slots.
  void WriteAddresses() {
    EncodeAddressOptions(addresses_, context_.cgromType, fields_);
    WriteFrameMapRecords(image_, layout_, FillFrameMap(addresses_));
    // Kept within the field's range rather than spilling into the other part.
    const unsigned minutes = std::min(
        NumberOfText(settings_.Text(Control::ed_missed_frame_count_min)), kMaxMissedFrameMinutes);
    const unsigned seconds = std::min(
        NumberOfText(settings_.Text(Control::ed_missed_frame_count_sec)), kMaxMissedFrameSeconds);
    fields_.SetByte(Field::kMissedFrameTime,
                    static_cast<std::uint8_t>((minutes << kMissedFrameMinuteShift) +
                                              seconds / kSecondsPerMissedFrameStep));
    EncodeAddressSlots(addresses_, fields_);
  }

  // History, OTA and, in the 4 KB family, alert words and decryption keys.
  void WriteAddressFlags() { EncodeAddressFlags(addresses_, fields_); }

  // The band and narrow bits from the editor's lists, and the type bits of
  // the reference byte (the injection side is the synthesizer's).
  //
  // The type bits tell the read-back how the register words are packed, so
  // they name the chip the words are written for, not the list item:
  // "HI8107" on 900 MHz writes NPC5170 words (and "NPC5170" on VHF writes
  // HI8107 words), and the item's own type bits would read those words back
  // with the other chip's shifts and prescaler, far off the saved frequency.
  void WriteBandAndType() {
    const int band = std::max(settings_.Item(Control::cb_freqBand), 0);
    WriteBitField(fields_, Control::cb_nwBand, settings_.Item(Control::cb_nwBand) == 1);
    WriteBitField(fields_, Control::cb_freqBand, static_cast<unsigned>(band));
    const unsigned type = static_cast<unsigned>(
        InstalledChipType(std::max(settings_.Item(Control::cb_PLL_Type), 0), band));
    std::uint8_t& ref = image_[SynthAreaOf(SynthFamilyOf()).refByte];
    ref = static_cast<std::uint8_t>((ref & ~(kRefTypeMask << kRefTypeShift)) |
                                    ((type & kRefTypeMask) << kRefTypeShift));
  }

  // 4 KB: the user password and its options, and the kept byte after them.
  void WriteUserPassword() {
    const std::string& keys = settings_.Text(Control::ed_cpwFc_Password);
    const int count = static_cast<int>(keys.size());
    const unsigned code = UserPasswordCode(keys);
    WriteBitField(
        fields_, "UserPasswordKeyCount",
        static_cast<unsigned>(std::max(count, kMinUserPasswordKeys) - kMinUserPasswordKeys));
    fields_.SetValue(Field::kUserPasswordCode, code);
    const unsigned timeout =
        NumberOfText(settings_.Text(Control::ed_cpwFc_Pswd_Timeout_h)) * 3600u +
        NumberOfText(settings_.Text(Control::ed_cpwFc_Pswd_Timeout_m)) * 60u +
        NumberOfText(settings_.Text(Control::ed_cpwFc_Pswd_Timeout_s));
    fields_.SetValue(Field::kUserPasswordTimeout, std::min(timeout, kMaxUserPasswordTimeout));
    fields_.SetByte(Field::kUserPasswordSpare, settings_.kept.userPasswordAreaByte);
  }

  // 4 KB: the hand-programming fields; only the error count is kept.
  void WriteHandProgramming() {
    fields_.SetValue(Field::kHpOptions, 0);
    fields_.SetValue(Field::kHpPassword, 0);
    fields_.SetByte(
        Field::kHpErrorNumber,
        static_cast<std::uint8_t>(std::min(
            NumberOfText(settings_.Text(Control::ed_CP_EP1_HP_Error_Number)), kMaxHpErrorNumber)));
    fields_.SetByte(Field::kHpSpare, 0);
  }

  void WriteFixedBits() { ApplyFixedBits(fields_); }

  void ClearPagerSpecificDataWhenSaving() {
    if (context_.saving) FillWhole(Field::kPagerSpecificData, 0);
  }

  void WriteChecksum() { WriteImageChecksum(image_, layout_); }

  // ---- Family-specific pieces ----

  void ApplyPatches4K() {
    ApplyFirmwarePatches4K(image_, context_.firmware, context_.modelCode, context_.saving);
  }
  void ApplySubModel() { ApplySubModel4K(image_, context_.firmware, Serial()); }

  void WriteFirmwareArea1K() { WriteFirmwareAreaD60(image_, family_); }
  void ApplyPatches1K() { ApplyFirmwarePatches1K(image_, context_.firmware, Serial()); }
  void WriteLegacyFlag1K() {
    ApplyLegacyFirmwareFlag1K(image_, context_.firmware, context_.pagerSubModel);
  }
  // The oldest 1 KB firmware wants the carried bit of 0x037 clear.
  void ClearCarriedBitForOldFirmware1K() {
    const FirmwareFlags& f = context_.firmware;
    if (f.R0404 || (f.R0406 && settings_.ModelIndex() == kModelIndexOneMessage1K)) {
      fields_.SetBit(Field::kMessageOptions, kCarriedMessageOptionBit, false);
    }
  }

  void GatherAddresses() { addresses_ = GatherAddressSettings(settings_); }

 private:
  bool NewAlertMenu() const { return settings_.Item(Control::cb_newAlertMenu) == kNewAlertMenuYes; }

  std::string Serial() const { return settings_.Text(Control::ed_serialNumber); }

  SynthFamily SynthFamilyOf() const {
    return family_ == PagerFamily::k1K ? SynthFamily::k1K : SynthFamily::k4K;
  }

  void WriteFirmwareMark() {
    const auto rules = family_ == PagerFamily::k1K
                           ? std::span<const FirmwareMarkRule>(kFirmwareMarks1K)
                           : std::span<const FirmwareMarkRule>(kFirmwareMarks4K);
    for (const FirmwareMarkRule& rule : rules) {
      if (rule.applies(context_.firmware)) {
        fields_.SetByte(Field::kFirmwareMark, static_cast<std::uint8_t>(rule.mark));
        return;
      }
    }
    if (family_ == PagerFamily::k1K) {
      fields_.SetByte(Field::kFirmwareMark, static_cast<std::uint8_t>(kFirmwareMarkBase1K));
    }
  }

  // Fills a large single field in one pass (the byte-wise accessors look the
  // place up again for every byte). Nothing when the family has no such field.
  void FillWhole(Field field, std::uint8_t value) {
    const FieldPlace place = layout_.Place(field);
    if (!place.present()) return;
    const auto bytes = image_.Bytes().subspan(place.offset, place.End() - place.offset);
    std::fill(bytes.begin(), bytes.end(), value);
  }

  void WritePassword(Field field, std::string_view plain) {
    if (context_.scramble == nullptr) return;
    const std::size_t width = fields_.Size(field);
    fields_.SetText(field, context_.scramble(PadRight(plain, width)));
  }

  EditorSettings& settings_;
  const Layout& layout_;
  CodeplugImage& image_;
  ImageFields fields_;
  const EncodeContext& context_;
  PagerFamily family_;
  AddressSettings addresses_{};
};

}  // namespace

int EncodeImage4K(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                  const EncodeContext& context) {
  if (!layout.Is4K()) return 0;
  Encoder e(settings, layout, image, context);
  e.GatherAddresses();  // normalises the address flags first
  e.WriteDefaultsWhenLoaded();
  e.WriteEveryEncodeBytes();
  e.WriteIdentity();
  e.WriteBoundSettings();
  e.WriteDecodingOptions();
  e.WriteFeatureBytes();
  e.WriteReminderDurations();
  e.WritePleasingAlert();
  e.BlankUnusedArea();
  e.WritePrompts();
  e.WriteCharacterSets();
  e.WriteToneOnlySource();
  e.WriteContrastAndAdjustments();
  e.WritePrinterCode();
  e.WriteLanguageAndRom();
  e.WriteVersionAndSecurePassword();
  e.WriteSynthesizer();
  e.WriteSynthAreaKeptBytes();
  e.WriteCarriedRegion();
  e.WriteSystemRecordTable();
  e.WriteSynthAreaConstants();
  e.WriteAddresses();
  e.ApplyPatches4K();
  e.WriteUserPassword();
  e.WriteBandAndType();
  e.WriteAddressFlags();
  e.WriteHandProgramming();
  e.WriteFixedBits();
  e.ApplySubModel();
  e.ClearPagerSpecificDataWhenSaving();
  e.WriteChecksum();
  return kSuccess;
}

int EncodeImage1K(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                  const EncodeContext& context) {
  if (layout.Family() != PagerFamily::k1K) return 0;
  Encoder e(settings, layout, image, context);
  e.GatherAddresses();
  e.WriteDefaultsWhenLoaded();
  e.WriteEveryEncodeBytes();
  e.WriteFirmwareArea1K();
  e.WriteIdentity();
  e.WriteBoundSettings();
  e.WriteDecodingOptions();
  e.WriteFeatureBytes();
  e.ClearCarriedBitForOldFirmware1K();
  e.WritePleasingAlert();
  e.WritePrompts();
  e.WriteCharacterSets();
  e.WriteToneOnlySource();
  e.WriteContrastAndAdjustments();
  e.WritePrinterCode();
  e.WriteLanguageAndRom();
  e.WriteVersionAndSecurePassword();
  e.WriteSynthesizer();
  e.WriteSynthAreaKeptBytes();
  e.WriteCarriedRegion();
  e.WriteSynthAreaConstants();
  e.WriteAddresses();
  e.WriteAddressFlags();
  e.ApplyPatches1K();
  e.WriteLegacyFlag1K();
  e.WriteBandAndType();
  e.WriteSystemRecordTable();
  e.WriteFixedBits();
  e.WriteChecksum();
  return kSuccess;
}

int EncodeImage(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                const EncodeContext& context) {
  const auto family = layout.Family();
  if (!family) return 0;
  return *family == PagerFamily::k4K ? EncodeImage4K(settings, layout, image, context)
                                     : EncodeImage1K(settings, layout, image, context);
}

}  // namespace rer
