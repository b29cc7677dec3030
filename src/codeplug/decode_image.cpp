#include "codeplug/decode_image.h"

#include <algorithm>
#include <array>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "codeplug/codeplug_version.h"
#include "codeplug/decode_texts.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_bits.h"
#include "codeplug/layout_codes.h"
#include "codeplug/system_records.h"
#include "core/result_codes.h"
#include "core/serial_series.h"
#include "prompts/chinese_prompt_slots.h"
#include "prompts/default_prompt_table.h"
#include "prompts/national_char_set.h"
#include "prompts/packed_prompts.h"
#include "prompts/prompt_language.h"
#include "synth/frequency_band.h"
#include "synth/frequency_from_words.h"
#include "synth/synth_record.h"

namespace rer {
namespace {

// Codeplugs above this version keep the band index in the band byte; older
// ones leave it to be worked out from the frequency.
constexpr CodeplugVersion kBandByteCodingAfter{0, 4, 1, 1};

// Bytes of the synthesizer area that the synthesizer itself does not use,
// counted from the area's start (SynthNWord).
constexpr int kAlarmBytesAt = 9;  // three bytes

// The status byte's wrong-try counters, kept in place as the password checks count them.
constexpr std::uint8_t kLocalWrongMask = 0x70;
constexpr std::uint8_t kSecureWrongMask = 0x07;

// 1 KB band byte: the band numbers the old receivers know, and what the rest reads as.
constexpr int kHighest1KVhfBand = 3;
constexpr int k1KOtherBand = 6;
constexpr std::uint8_t kModelOneMsgOldFlash = 0x89;

constexpr int kNewSecure4KModelIndex = 6;

std::string Unscramble(const DecodeContext& context, const std::string& stored) {
  return context.unscramblePassword ? context.unscramblePassword(stored) : stored;
}

template <typename Key>
int BitValue(const ImageReader& image, Key key) {
  return static_cast<int>(ReadBitField(image, key).value_or(0));
}

void LoadServiceAdjustments(const ImageReader& image, EditorSettings& settings) {
  settings.SetText(Control::ed_displayContrast,
                   std::to_string(BitValue(image, Control::ed_displayContrast)));
  settings.clockSecondAdjust = static_cast<std::int8_t>(image.Value(Field::kServiceAdjustment));
}

// One decode: the image, what it is decoded into and the family's differences.
class Decoder {
 public:
  Decoder(const CodeplugImage& raw, const Layout& layout, EditorSettings& settings,
          DecodeContext& context)
      : raw_(raw),
        image_(raw, layout),
        settings_(settings),
        context_(context),
        is4K_(layout.Is4K()) {}

  int Run();

 private:
  bool CheckVersion();
  void DecodeModelIndex();
  void DecodePasswords();
  void DecodeMemory();
  void DecodeFeatures();
  void DecodePrompts();
  void DecodeCharacterArea();
  void DecodeAdjustments();
  void DecodeSynthesizer();
  void KeepBytes();
  void DecodeAddresses();
  void Decode4KOnly();
  void Decode1KBand();
  void SetBand(int band);

  std::uint8_t SynthByte(int at) const {
    return image_.Bytes(Field::kSynthArea)[static_cast<std::size_t>(at)];
  }

  const CodeplugImage& raw_;
  ImageReader image_;
  EditorSettings& settings_;
  DecodeContext& context_;
  bool is4K_;
  CodeplugVersion version_;
};

int Decoder::Run() {
  if (!CheckVersion()) return kCodeplugTooNew;

  // The simple fields first; the steps below add their own rules over them.
  DecodeBindings(image_, settings_);

  DecodeModelIndex();
  DecodePasswords();
  DecodeMemory();
  settings_.promptLanguage = BitValue(image_, "PromptLanguage");
  if (settings_.promptLanguage > kSimplifiedChinese) settings_.promptLanguage = 0;
  settings_.SetItem(Control::cb_internationalPrompt,
                    ListPositionForLanguage(settings_.promptLanguage));
  DecodeFeatures();
  DecodePrompts();
  DecodeCharacterArea();
  DecodeAdjustments();
  DecodeSynthesizer();
  KeepBytes();
  DecodeAddresses();
  settings_.SetChecked(Control::cb_dataInversion, DataInversionOn(raw_, image_.layout()));
  if (is4K_) {
    Decode4KOnly();
  } else {
    Decode1KBand();
  }
  return kSuccess;
}

bool Decoder::CheckVersion() {
  version_ = ReadCodeplugVersion(image_);
  settings_.versionText = VersionTextOf(version_);
  settings_.newBandCoding = version_.CompareNumber(kBandByteCodingAfter) > 0;
  return version_.CompareNumber(kSystemCodeplugVersion) <= 0;
}

void Decoder::DecodeModelIndex() {
  // The 4 KB family names its model by the pager's model code; without pager
  // information (a file, the defaults) the image's model byte stands in.
  std::uint8_t modelCode = static_cast<std::uint8_t>(image_.Value(Field::kModelByte));
  if (is4K_ && Is4KFamily(context_.modelCode)) modelCode = context_.modelCode;
  const auto subModel = static_cast<std::uint8_t>(image_.Value(Field::kSubModel));
  if (const auto index = ModelIndexOf(modelCode, subModel)) settings_.SetModelIndex(*index);
  if (is4K_ && IsNewSecure4KSerial(settings_.Text(Control::ed_serialNumber))) {
    settings_.SetModelIndex(kNewSecure4KModelIndex);
  }
}

void Decoder::DecodePasswords() {
  // 4 KB codeplugs up to 4.6.4 keep both enables in other bits.
  const bool oldArrangement = is4K_ && !IsAbove464(version_);
  const bool local = oldArrangement ? BitValue(image_, "LocalPasswordEnableUpTo464")
                                    : BitValue(image_, Control::cb_enableLocalPasswd);
  const bool secure = oldArrangement ? BitValue(image_, "SecurePasswordEnableUpTo464")
                                     : BitValue(image_, Control::cb_enableSecurePasswd);
  settings_.SetChecked(Control::cb_enableLocalPasswd, local);
  settings_.SetChecked(Control::cb_enableSecurePasswd, secure);

  const auto status = static_cast<std::uint8_t>(image_.Value(Field::kStatusByte));
  DecodedPasswords& passwords = settings_.passwords;
  passwords.ota = Unscramble(context_, image_.Text(Field::kOtaPasswordText));
  // A disabled password is not carried over from the previous codeplug.
  passwords.local = local ? Unscramble(context_, image_.Text(Field::kLocalPasswordText)) : "";
  passwords.localWrongCount = local ? (status & kLocalWrongMask) : 0;
  passwords.secure = secure ? Unscramble(context_, image_.Text(Field::kSecurePasswordText)) : "";
  passwords.secureWrongCount = secure ? (status & kSecureWrongMask) : 0;
}

void Decoder::DecodeMemory() {
  const auto alarm = image_.Bytes(Field::kSynthArea).subspan(kAlarmBytesAt, 3);
  std::copy(alarm.begin(), alarm.end(), settings_.kept.alarm.begin());
  settings_.memorySizeCode = static_cast<std::uint8_t>(image_.Value(Field::kMemorySizeCode));
}

void Decoder::DecodeFeatures() {
  settings_.largeMemory =
      context_.programSequence ? context_.pagerLargeMemory : BitValue(image_, "LargeMemory") != 0;
  MemorySizeTexts memory;
  if (context_.modelCode != kFourAddressModel) {
    memory = MemorySizeTextsOf(settings_.memorySizeCode, settings_.largeMemory);
  }
  settings_.SetText(Control::ed_persMemSizeString, memory.personal);
  settings_.SetText(Control::ed_persMaildropString, memory.maildrop);

  settings_.carriedOptions.option037Bit0 = image_.Bit(Field::kMessageOptions, 0);
  settings_.carriedOptions.option03ABit7 = image_.Bit(Field::kRetentionOptions, 7);
  settings_.carriedOptions.option03BBit5 = image_.Bit(Field::kAudibleOptions, 5);

  if (is4K_ && BitValue(image_, "AlertDurationLong")) {
    constexpr int kLongAlertDuration = 2;
    settings_.SetItem(Control::cb_alertDuration, kLongAlertDuration);
  }

  const auto tune = image_.Bytes(Field::kPleasingAlertTune);
  std::copy(tune.begin(), tune.end(), settings_.pleasingAlertTune.begin());
  settings_.SetItem(Control::cb_programmablePleasingAlert, IsDefaultPleasingTune(image_) ? 0 : 1);
}

void Decoder::DecodePrompts() {
  settings_.ideoPrompts = BitValue(image_, "IdeoPrompts") != 0;
  PromptTexts texts = PromptTextsOf(settings_);
  if (settings_.ideoPrompts && image_.layout().Has(Field::kIdeoPromptSlots)) {
    ReadChinesePromptSlots(raw_.Bytes(), texts);
  } else {
    // The 4 KB family has no fixed slots: its prompts are always packed,
    // whatever the Chinese mark says, and that is what gets read.
    const PromptNumbering numbering =
        is4K_ ? PromptNumbering::kExtended : PromptNumbering::kClassic;
    ReadPackedPrompts(raw_.Bytes(), *image_.layout().PackedPromptAreaStart(), numbering,
                      settings_.promptLanguage, texts);
    for (std::string& text : texts) {
      if (text.size() > kMaxReadPromptLength) text.resize(kMaxReadPromptLength);
    }
  }
  SetPromptTexts(texts, settings_);
}

void Decoder::DecodeCharacterArea() {
  const auto start = static_cast<std::uint16_t>(image_.Value(Field::kCannedRangeStart));
  const auto end = static_cast<std::uint16_t>(image_.Value(Field::kCannedRangeEnd));
  settings_.SetText(Control::ed_startCannedMsg, CannedTextOfWord(start));
  settings_.SetText(Control::ed_endCannedMsg, CannedTextOfWord(end));
  settings_.SetChecked(Control::cb_regularCannedMsg, start != 0 || end != 0);

  const auto row = image_.Bytes(Field::kNationalCharRow);
  settings_.SetItem(Control::cb_internationalCharSet,
                    RecognizeCharSet(std::span<const std::uint8_t, kNationalPositionCount>(
                        row.data(), kNationalPositionCount)));
}

void Decoder::DecodeAdjustments() {
  settings_.SetItem(Control::cb_showToneOnlySource, BitValue(image_, "ToneOnlySource1to4") +
                                                        2 * BitValue(image_, "ToneOnlySource5to8"));
  LoadServiceAdjustments(image_, settings_);
  settings_.iconContrast = ~SynthByte(kSynthAreaIconContrastByte) & 3;
  if (const auto index = ReadCodedSetting(image_, "PrinterCode")) {
    settings_.printerCodeIndex = *index;
  }
}

void Decoder::DecodeSynthesizer() {
  const SynthFamily family = is4K_ ? SynthFamily::k4K : SynthFamily::k1K;
  const SynthArea& area = SynthAreaOf(family);
  const auto bytes = raw_.Bytes();
  SynthRecord& record = context_.synth.record;
  LoadSynthRecord(record, bytes[area.modeByte], bytes[area.refByte], bytes[area.bandByte]);
  // The 1 KB family also takes the dividers read back as its parameters.
  const FrequencyReading reading = FrequencyFromWords(context_.synth, bytes, family, !is4K_);
  settings_.SetText(Control::ed_frequency, FrequencyTextOf(reading.hz));

  SynthRecordFields& fields = settings_.synthRecord;
  fields.name = record.name;
  fields.type = static_cast<std::uint8_t>(record.type);
  fields.intermediateHz = record.ifHz;
  fields.channelStepHz = record.stepHz;
  fields.side = record.side;
  fields.referenceHz = record.refHz;
  fields.multiplier = record.mult;
}

void Decoder::KeepBytes() {
  KeptBytes& kept = settings_.kept;
  kept.synthAreaByte1 = SynthByte(kSynthAreaKeptByte1);
  kept.synthAreaByte2 = SynthByte(kSynthAreaKeptByte2);

  const auto region = image_.Bytes(Field::kCarriedRegion);
  std::copy(region.begin(), region.end(), settings_.carriedRegion.begin());

  for (int record = kFirstKeptSystemRecord; record <= kLastKeptSystemRecord; ++record) {
    auto& keptRecord =
        kept.systemRecords[static_cast<std::size_t>(record - kFirstKeptSystemRecord)];
    for (int i = 0; i < 3; ++i) {
      keptRecord[static_cast<std::size_t>(i)] = image_.Byte({Field::kSystemRecord, record}, i + 1);
    }
  }
}

void Decoder::DecodeAddresses() {
  AddressSettings addresses = AddressSettingsOf(settings_);
  DecodeAddressOptions(image_, context_.cgromType, addresses);
  // The flags before the slots: clearing an address without a capcode also
  // clears its OTA enable.
  DecodeAddressFlags(image_, addresses);
  DecodeAddressSlots(image_, addresses);
  SetAddressSettings(addresses, settings_);

  const MissedFrameTexts missed =
      MissedFrameTextsOf(static_cast<std::uint8_t>(image_.Value(Field::kMissedFrameTime)));
  settings_.SetText(Control::ed_missed_frame_count_min, missed.minutes);
  settings_.SetText(Control::ed_missed_frame_count_sec, missed.seconds);
}

void Decoder::SetBand(int band) {
  settings_.SetItem(Control::cb_freqBand, band == kFrequencyNotSynthesizable ? kNoItem : band);
}

void Decoder::Decode4KOnly() {
  // The new alert menu is never shown as chosen, whatever the bit says.
  settings_.SetItem(Control::cb_newAlertMenu, 0);

  const std::uint16_t code = static_cast<std::uint16_t>(image_.Value(Field::kUserPasswordCode));
  const int keys = BitValue(image_, "UserPasswordKeyCount") + 2;
  const std::string digits = UserPasswordDigits(code, keys);
  settings_.SetText(Control::ed_cpwFc_Password, digits);
  settings_.SetText(Control::ed_cpwFc_Password_LRUD, UserPasswordLetters(digits));
  const auto timeout = image_.Value(Field::kUserPasswordTimeout);
  settings_.SetText(Control::ed_cpwFc_Pswd_Timeout_h, std::to_string(timeout / 3600));
  settings_.SetText(Control::ed_cpwFc_Pswd_Timeout_m, std::to_string(timeout / 60 % 60));
  settings_.SetText(Control::ed_cpwFc_Pswd_Timeout_s, std::to_string(timeout % 60));
  settings_.kept.userPasswordAreaByte =
      static_cast<std::uint8_t>(image_.Value(Field::kUserPasswordSpare));

  settings_.SetItem(Control::cb_nwBand, BitValue(image_, Control::cb_nwBand));
  SetBand(settings_.newBandCoding ? BitValue(image_, Control::cb_freqBand)
                                  : BandOfFrequency(context_.synth.unroundedHz));
  constexpr int kTypeLow = 4;
  const std::uint8_t refByte = raw_[kSynthArea4K.refByte];
  settings_.SetItem(Control::cb_PLL_Type, (refByte >> kTypeLow) & 3);

  settings_.SetText(Control::ed_CP_EP1_HP_Password,
                    NibbleDigits(static_cast<std::uint16_t>(image_.Value(Field::kHpPassword))));
  settings_.SetText(Control::ed_CP_EP1_HP_Error_Number,
                    std::to_string(image_.Value(Field::kHpErrorNumber)));
}

void Decoder::Decode1KBand() {
  const bool narrowOnly = IsNewSecure4KSerial(settings_.Text(Control::ed_serialNumber));
  settings_.SetItem(Control::cb_nwBand, narrowOnly ? 1 : BitValue(image_, Control::cb_nwBand));
  if (settings_.newBandCoding) {
    int band = BitValue(image_, Control::cb_freqBand);
    // The model of the pager in the cradle decides; the image's model byte
    // stands in when no pager is known. After a program the two can differ,
    // since the firmware generation renames the model byte written.
    const auto modelCode = context_.modelCode != kNoPagerModel
                               ? context_.modelCode
                               : static_cast<std::uint8_t>(image_.Value(Field::kModelByte));
    if (band == 0 && modelCode == kModelOneMsgOldFlash) band = k1KOtherBand;
    if (band > kHighest1KVhfBand) band = k1KOtherBand;
    SetBand(band);
  } else {
    SetBand(BandOfFrequency(context_.synth.unroundedHz));
  }
  settings_.SetItem(Control::cb_PLL_Type, context_.synth.record.type);
}

}  // namespace

int DecodeImage4K(const CodeplugImage& image, const Layout& layout, EditorSettings& settings,
                  DecodeContext& context) {
  if (!layout.Is4K()) return kNotDone;
  return Decoder(image, layout, settings, context).Run();
}

int DecodeImage1K(const CodeplugImage& image, const Layout& layout, EditorSettings& settings,
                  DecodeContext& context) {
  if (layout.Family() != PagerFamily::k1K) return kNotDone;
  return Decoder(image, layout, settings, context).Run();
}

void ReloadServiceAdjustments(const CodeplugImage& image, const Layout& layout,
                              EditorSettings& settings) {
  LoadServiceAdjustments(ImageReader(image, layout), settings);
}

}  // namespace rer
