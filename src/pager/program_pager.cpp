#include "pager/program_pager.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "codeplug/codeplug_version.h"
#include "codeplug/decode_image.h"
#include "codeplug/encode.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_codes.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"
#include "core/canned_range.h"
#include "core/result_codes.h"
#include "core/serial_series.h"
#include "core/text.h"
#include "pager/band_check.h"
#include "pager/cross_model.h"
#include "pager/link_header.h"
#include "pager/password_scramble.h"
#include "pager/version_rules.h"
#include "prompts/default_prompt_table.h"
#include "prompts/prompt_catalogue.h"
#include "synth/divider_search.h"
#include "synth/frequency_text.h"
#include "synth/pll_params.h"
#include "synth/synth_area.h"

namespace rer {
namespace {

// ---- The hardware values of the pager copy, by their fields ----

constexpr std::size_t kModelTextLength = 10;  // the serial number field

constexpr int kBandwidthBit = 4;  // of option byte 1
constexpr int kHwClassBit = 7;    // of the band byte
constexpr int kHwVariantLow = 3;  // bits 3-6 of the 4 KB band byte
constexpr unsigned kHwVariantMask = 0x0F;
constexpr unsigned kSideBitsMask = 0x03;
constexpr unsigned kSynthTypeMask4K = 0x30;  // of the 4 KB reference byte
constexpr int kSynthTypeShift4K = 4;
constexpr unsigned kFs8308Bit1K = 0x04;  // of the 1 KB band byte
constexpr std::uint8_t kOptionBitsMask = 0xC0;

// Password enable bits of the pager copy.
constexpr int kSecureBitNew = 1;    // option byte 1
constexpr int kSecureBitOld = 7;    // feature byte, older 4 KB codeplugs
constexpr int kOtaDisabledBit = 3;  // feature byte
// Status byte: wrong secure tries in bits 0-2, bit 3 once there were too many.
constexpr int kTooManyTriesBit = 3;
constexpr int kMostWrongTries = 7;
constexpr std::uint8_t kTriesMask = 0x07;

// Sub-model bytes a 4 KB read-before-program puts into the image.
constexpr std::uint8_t kSubModelNewSecure = 0x95;
constexpr std::uint8_t kSubModelNew = 0x15;
constexpr std::uint8_t kSubModelAlwaysNewSecure = 0x1E;

// 1 KB model codes.
constexpr std::uint8_t kModel81 = 0x81;
constexpr std::uint8_t kModel89 = 0x89;
constexpr std::uint8_t kModelC0 = 0xC0;
constexpr int kSubModelOf81 = 1;
constexpr int kSubModelOf89 = 2;
// 1 KB models whose codeplug the encoder writes.
constexpr std::array<std::uint8_t, 6> kEncoded1KModels = {0x81, 0x82, 0x86, 0x89, 0x8A, 0xC0};

constexpr int kAddressesOfFourAddressModel = 4;

constexpr int kCannedSelectionTwoDigits = 1;
constexpr int kCannedSelectionExtended = 2;

constexpr std::int64_t kPauseBeforeSecondReceiverOn = 190;

}  // namespace

// What the program sequence does differently per family, chosen once per run.
struct ProgramFamilyTraits {
  PagerFamily family;
  SynthFamily synth;
  bool standardEngine;  // the 4 KB link engine; the 1 KB family uses the compact one
  int retryQuestion;    // asked after an attempt that ended with no answer
  std::int64_t pauseAfterWrite;
  std::int64_t pauseBeforeClock;
  bool is4K() const { return family == PagerFamily::k4K; }
};

namespace {

constexpr ProgramFamilyTraits kProgram4K{.family = PagerFamily::k4K,
                                         .synth = SynthFamily::k4K,
                                         .standardEngine = true,
                                         .retryQuestion = kQuestionRetryTransfer,
                                         .pauseAfterWrite = 200,
                                         .pauseBeforeClock = 2000};
constexpr ProgramFamilyTraits kProgram1K{.family = PagerFamily::k1K,
                                         .synth = SynthFamily::k1K,
                                         .standardEngine = false,
                                         .retryQuestion = kQuestionRetryProgram1K,
                                         .pauseAfterWrite = 190,
                                         .pauseBeforeClock = 1200};

const ProgramFamilyTraits& TraitsOf(PagerFamily family) {
  return family == PagerFamily::k4K ? kProgram4K : kProgram1K;
}

int RunOn(PagerLink& link, const ProgramFamilyTraits& traits, int operation) {
  return traits.standardEngine ? link.Run(operation) : link.RunCompact(operation);
}

std::string StoredPassword(const CodeplugImage& image, const Layout& layout, Field field) {
  return ImageReader(image, layout).Text(field);
}

bool Contains(std::span<const std::uint8_t> codes, std::uint8_t code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The encode step as programming runs it: for the pager in the cradle, with
// the passwords of the run.
int EncodeForProgramming(PagerSession& session, int pagerSubModel) {
  EncodeContext context;
  context.modelCode = session.link.ModelCode;
  context.cgromType = session.link.CgromType;
  context.memoryReply = session.link.MemoryByte;
  context.firmware = FirmwareFlagsOf(session.link);
  context.programming = true;
  context.synth = &session.synth;
  context.pagerSubModel = pagerSubModel;
  context.passwords.ota = session.passwords.otaPasswordKnown;
  context.passwords.local = session.passwords.localPasswordToWrite;
  context.passwords.secure = session.passwords.securePasswordKnown;
  context.scramble = [](std::string_view plain) { return ScramblePassword(plain); };
  return EncodeImage(session.settings, session.layout, session.image, context) == kSuccess
             ? 0
             : kLinkUnknownPager;
}

// The hardware class and (4 KB) variant that a band byte carries.
int HwClassOf(std::uint8_t band) {
  return TestBit(band, kHwClassBit) ? 1 : 0;
}
int HwVariantOf(std::uint8_t band) {
  return static_cast<int>((band >> kHwVariantLow) & kHwVariantMask);
}

// The 1 KB model byte as the firmware generation names it, and the
// sub-model that goes with it.
void SetModelBytes1K(PagerHardware& hw, std::uint8_t modelByte, std::uint8_t subModelByte,
                     const LinkState& link) {
  const std::uint8_t named = ModelByteForFirmware1K(FirmwareFlagsOf(link));
  hw.modelByte = named != 0 ? named : modelByte;
  if (hw.modelByte == kModel81) {
    hw.subModel = kSubModelOf81;
  } else if (hw.modelByte == kModel89) {
    hw.subModel = kSubModelOf89;
  } else {
    hw.subModel = subModelByte;
  }
}

}  // namespace

bool CodeplugFamilyFits(const PagerSession& session, PagerFamily pagerFamily) {
  // The hardware class and variant rule alone would let a codeplug of the
  // other family through whenever its bits happen to agree with the
  // pager's (a 1 KB pager's variant is never read, so in a fresh run it is
  // 0): the encoder would then silently rebuild it for the other family.
  // A codeplug of no known family (defaults never loaded) has nothing to
  // compare.
  const auto family = FamilyOfModel(static_cast<std::uint8_t>(session.readModelWord & 0xFF));
  return !family || *family == pagerFamily;
}

PagerHardware TakePagerHardware(const PagerCopy& pagerCopy, PagerFamily family,
                                const LinkState& link) {
  const Layout layout(family);
  const ImageReader copy(pagerCopy, layout);
  PagerHardware hw;
  // The synthesizer's reference byte lies where its own area table says.
  const std::uint8_t ref = pagerCopy[SynthAreaOf(TraitsOf(family).synth).refByte];
  const std::uint8_t band = copy.Byte(Field::kBandByte);
  const std::uint8_t option1 = copy.Byte(Field::kOptionByte1);
  hw.bandwidth = TestBit(option1, kBandwidthBit) ? 1 : 0;
  hw.hwClass = HwClassOf(band);
  hw.modelText = copy.Text(Field::kSerialNumber);
  hw.synthHwByte = static_cast<std::uint8_t>(band & kSideBitsMask);
  if (family == PagerFamily::k4K) {
    hw.synthType = static_cast<int>((ref & kSynthTypeMask4K) >> kSynthTypeShift4K);
    hw.hwVariant = HwVariantOf(band);
    return hw;
  }
  hw.synthType = static_cast<int>((band & kFs8308Bit1K) | ((ref >> 4) & 0x03));
  hw.optionBits = static_cast<std::uint8_t>(option1 & kOptionBitsMask);
  SetModelBytes1K(hw, copy.Byte(Field::kModelByte), copy.Byte(Field::kSubModel), link);
  return hw;
}

PagerHardware EditorHardwareForBlankPager(const PagerSession& session, PagerFamily family) {
  const Layout layout(family);
  const ImageReader image(session.image, layout);
  const std::uint8_t band = image.Byte(Field::kBandByte);
  PagerHardware hw;
  hw.synthType = session.settings.Item(Control::cb_PLL_Type);
  hw.bandwidth = session.settings.Item(Control::cb_nwBand);
  hw.hwClass = HwClassOf(band);
  hw.hwVariant = HwVariantOf(band);
  hw.synthHwByte = session.synth.SynthHwByte;
  if (family == PagerFamily::k1K) {
    hw.optionBits = static_cast<std::uint8_t>(image.Byte(Field::kOptionByte1) & kOptionBitsMask);
    // The handshake named the pager's model; the firmware may rename it.
    SetModelBytes1K(hw, session.link.ModelCode, image.Byte(Field::kSubModel), session.link);
  }
  return hw;
}

ProgramSequence::ProgramSequence(PagerSession& session, PagerLink& link, PasswordChecks& checks,
                                 UserInterface& ui, Clock& clock, ProgramSteps steps)
    : session_(session),
      link_(link),
      checks_(checks),
      ui_(ui),
      clock_(clock),
      steps_(std::move(steps)) {}

int ProgramSequence::ProgramPager() {
  if (const int duplicates = CheckDuplicates(); duplicates != 0) {
    ui_.ShowError(duplicates);
    return duplicates;
  }
  LinkState& link = session_.link;
  RememberLastProgrammed();
  int r = link_.Identify();
  if (r != kLinkNotResponding && r != kLinkPortNotOpened) r = link_.RunCompactQuietly(opReceiverOn);
  if (r == kLinkNotResponding || r == kLinkPortNotOpened) return r;

  const ProgramFamilyTraits& traits =
      TraitsOf(Is4KFamily(link.ModelCode) ? PagerFamily::k4K : PagerFamily::k1K);
  link.LinkSpeedCode = kSpeed4800;
  link.StatusReply = 0;
  link.PasswordAsked = false;
  session_.settings.programming = true;
  verifyOutcome_ = {};
  int result = Variant(traits);
  while (result == kLinkNotResponding && ui_.AskQuestion(traits.retryQuestion) == kResultYes) {
    result = Variant(traits);
  }
  session_.settings.programming = false;
  if (result == 0 && verify_) result = VerifyWrite(traits);
  return result == 0 ? kSuccess : kNotDone;
}

int ProgramSequence::Variant(const ProgramFamilyTraits& traits) {
  const int result = VariantSteps(traits);
  // Every attempt ends so, a failed one too: a retry compares the pager in
  // the cradle with the one this attempt saw.
  RememberLastProgrammed();
  session_.link.ExtendedReply = false;
  return result;
}

int ProgramSequence::CheckDuplicates() {
  const int count =
      session_.link.ModelCode == kFourAddressModel ? kAddressesOfFourAddressModel : kAddressCount;
  std::vector<std::uint32_t> seen;
  for (int address = 1; address <= count; ++address) {
    const std::uint32_t value =
        CapcodeValue(session_.settings.Text(AddressControl::Capcode, address));
    if (ClassifyCapcode(value, address % 2 == 0) == AddressClass::kEmpty) continue;
    if (std::find(seen.begin(), seen.end(), value) != seen.end()) return kDuplicateCodes;
    seen.push_back(value);
  }
  return 0;
}

int ProgramSequence::VariantSteps(const ProgramFamilyTraits& traits) {
  LinkState& link = session_.link;
  link.ExtendedReply = true;
  link.ReadBeforeProgram = true;
  SelectLayout(session_.layout, link.ModelCode);
  int r = RunOn(link_, traits, opReadCodeplug);
  link.ReadBeforeProgram = false;
  const bool readOk = r == 0;
  if (readOk) {
    if (steps_.pagerCopyRead) steps_.pagerCopyRead(session_);
    pager_ = TakePagerHardware(session_.pagerCopy, traits.family, link);
    if (traits.is4K()) CopyPagerBytes4K();
  } else if (r == kLinkUnprogrammed) {
    // A pager without a codeplug sent no image: there is nothing of its
    // hardware to take over, and what the copy still holds belongs to an
    // earlier pager. The editor's values stand.
    pager_ = EditorHardwareForBlankPager(session_, traits.family);
    // The compact engine has said so for a 1 KB pager; a 4 KB one must not
    // go to the serial number entry without the same word.
    if (traits.family == PagerFamily::k4K) ui_.ShowError(r);
  } else if (r != kLinkNotResponding && r != kLinkPortNotOpened && r != kLinkUnprogrammed) {
    ShowLinkFailure(r, traits);
  }

  if (r != kLinkPortNotOpened) {
    if (const int firmware = CheckFirmware(); firmware != 0) {
      ui_.ShowError(firmware);
      r = firmware;
    }
  }
  // The hardware values are only known after a good read; a failed read is
  // reported as such rather than as a pager of the wrong kind.
  if ((readOk && r == 0 && !HardwareMatches(traits)) ||
      ((r == 0 || r == kLinkUnprogrammed) && !CodeplugFamilyFits(session_, traits.family))) {
    ui_.ShowError(kPagerNotSupported);
    return kPagerNotSupported;
  }
  if (r != 0 && r != kLinkUnprogrammed) return r;

  if (link.Unprogrammed) {
    r = steps_.enterSerialNumber ? steps_.enterSerialNumber(session_, ui_) : kOperationCancelled;
  } else {
    r = CheckPasswords(traits);
  }
  if (r != 0) return r;

  CheckCharacterRom();
  CheckCannedRange();
  if (session_.link.SerialNumber != session_.lastSerialNumber) {
    ReloadServiceAdjustments(session_.image, session_.layout, session_.settings);
  }
  TakeOverHardware(traits);
  if (const int synth = SearchSynthesizer(traits); synth != 0) return synth;
  if (const int band = RunBandCheck(session_.settings, ui_); band != 0) return band;
  r = EncodeAndWrite(traits);
  if (r != 0) return r;
  return SetClock(traits);
}

int ProgramSequence::CheckFirmware() const {
  return FirmwareProgrammingCheck(FirmwareFlagsOf(session_.link), session_.link.ModelCode);
}

bool ProgramSequence::HardwareMatches(const ProgramFamilyTraits& traits) const {
  // The editor's values live in the band byte of the codeplug being edited.
  const std::uint8_t band = ImageReader(session_.image, session_.layout).Byte(Field::kBandByte);
  const int editorClass = HwClassOf(band);
  if (editorClass != pager_.hwClass) return false;
  if (!traits.is4K()) return true;  // the 1 KB family has no variant bits
  return HwVariantOf(band) == pager_.hwVariant;
}

void ProgramSequence::CopyPagerBytes4K() {
  ImageFields image(session_.image, session_.layout);
  const ImageReader copy(session_.pagerCopy, session_.layout);
  image.SetByte(Field::kFirmwareMark, copy.Byte(Field::kFirmwareMark));
  image.SetBytes(Field::kPagerSpecificData, copy.Bytes(Field::kPagerSpecificData));
  if (!session_.link.R0501) return;
  const std::uint8_t pagerSubModel = copy.Byte(Field::kSubModel);
  if (pagerSubModel == kSubModelAlwaysNewSecure || IsNewSecure4KSeries(pager_.modelText)) {
    image.SetByte(Field::kSubModel, kSubModelNewSecure);
  } else if (IsNew4KSeries(pager_.modelText)) {
    image.SetByte(Field::kSubModel, kSubModelNew);
  } else {
    image.SetByte(Field::kSubModel, pagerSubModel);
  }
}

bool ProgramSequence::PasswordBitsMoved() const {
  return IsAbove464(ReadCodeplugVersion(ImageReader(session_.pagerCopy, session_.layout)));
}

int ProgramSequence::CheckPasswords(const ProgramFamilyTraits& traits) {
  int r = CheckLocalPassword(traits);
  if (r == 0) r = CheckSecurePassword(traits);
  if (r == 0 && session_.passwords.secureWrongCount <= kMostWrongTries) r = CheckOtaPassword();
  // A wrong local password has been reported already.
  if (r != 0 && r != kWrongLocalPassword) ui_.ShowError(r);
  return r;
}

int ProgramSequence::CheckLocalPassword(const ProgramFamilyTraits& traits) {
  if (!LocalPasswordRequired(session_.pagerCopy, session_.link.ModelCode)) return 0;
  int r = checks_.AskCodeplugPassword(
      PasswordMode::PagerLocal,
      StoredPassword(session_.pagerCopy, session_.layout, Field::kLocalPasswordText));
  if (r == 0) return 0;
  r = kWrongLocalPassword;  // a closed entry is refused the same way
  ui_.ShowError(r);
  if (!traits.is4K() && session_.passwords.localWrongCount > kMostWrongTries) {
    MarkTooManyTries();
    return 0;
  }
  return r;
}

int ProgramSequence::CheckSecurePassword(const ProgramFamilyTraits& traits) {
  const PagerCopy& copy = session_.pagerCopy;
  const ImageReader pager(copy, session_.layout);
  const bool enabled = (!traits.is4K() || PasswordBitsMoved())
                           ? TestBit(pager.Byte(Field::kOptionByte1), kSecureBitNew)
                           : TestBit(pager.Byte(Field::kFeatureOptions), kSecureBitOld);
  if (!enabled) return 0;
  const std::string ours =
      StoredPassword(session_.image, session_.layout, Field::kSecurePasswordText);
  bool ask = !acceptedSecure_ || *acceptedSecure_ != ours;
  if (!traits.is4K() && session_.link.SerialNumber == session_.lastSerialNumber) {
    const SynthArea& area = SynthAreaOf(SynthFamily::k1K);
    // The chip the editor's settings would store there: on each band the
    // list item names the chip whose words are written.
    const int editorType = InstalledChipType(session_.settings.Item(Control::cb_PLL_Type),
                                             session_.settings.Item(Control::cb_freqBand));
    ask = ask || editorType != static_cast<int>(session_.image[area.typeByte]);
  }
  if (!ask) return 0;
  // The typed password is compared with the one the pager holds, not with
  // the one in the editor's codeplug: otherwise anyone could overwrite a
  // protected pager by putting a password of their own into the codeplug.
  int r = checks_.AskCodeplugPassword(
      PasswordMode::Secure, StoredPassword(copy, session_.layout, Field::kSecurePasswordText));
  if (r == 0) {
    acceptedSecure_ = ours;
    WriteSecureWrongCount();
    return 0;
  }
  if (r != kWrongSecurePassword) {
    // A closed entry counts as a wrong one.
    ++session_.passwords.secureWrongCount;
    r = kWrongSecurePassword;
  }
  WriteSecureWrongCount();
  if (session_.passwords.secureWrongCount > kMostWrongTries) {
    MarkTooManyTries();
    if (!traits.is4K()) {
      ui_.ShowError(r);
      return 0;
    }
  }
  return r;
}

void ProgramSequence::WriteSecureWrongCount() {
  const int count = std::min(session_.passwords.secureWrongCount, kMostWrongTries);
  ImageFields image(session_.image, session_.layout);
  const std::uint8_t status = image.Byte(Field::kStatusByte);
  image.SetByte(Field::kStatusByte,
                static_cast<std::uint8_t>((status & ~kTriesMask) | (count & kTriesMask)));
}

void ProgramSequence::MarkTooManyTries() {
  ImageFields image(session_.image, session_.layout);
  image.SetByte(Field::kStatusByte, SetBit(image.Byte(Field::kStatusByte), kTooManyTriesBit));
}

int ProgramSequence::CheckOtaPassword() {
  const PagerCopy& copy = session_.pagerCopy;
  if (TestBit(ImageReader(copy, session_.layout).Byte(Field::kFeatureOptions), kOtaDisabledBit)) {
    return 0;
  }
  const std::string ours = StoredPassword(session_.image, session_.layout, Field::kOtaPasswordText);
  if (acceptedOta_ && *acceptedOta_ == ours) return 0;
  const int r = checks_.AskCodeplugPassword(
      PasswordMode::Ota, StoredPassword(copy, session_.layout, Field::kOtaPasswordText));
  if (r != 0) return kWrongOtaPassword;
  acceptedOta_ = ours;
  return 0;
}

void ProgramSequence::CheckCharacterRom() {
  EditorSettings& settings = session_.settings;
  const int cgrom = session_.link.CgromType;
  const int language = settings.promptLanguage;
  const bool missing = (language == kTraditionalChinese && cgrom != kCgromTraditionalChinese) ||
                       (language == kSimplifiedChinese && cgrom != kCgromSimplifiedChinese);
  if (!missing) return;
  ui_.ShowError(kNoChineseRom);
  settings.promptLanguage = kEnglish;
  settings.ideoPrompts = false;
  // The English defaults replace the prompts that have one for this pager;
  // the others keep what the technician typed.
  PromptTexts texts = PromptTextsOf(settings);
  ApplyLanguageDefaults(texts, kEnglish, session_.layout.Is4K());
  SetPromptTexts(texts, settings);
}

void ProgramSequence::CheckCannedRange() {
  EditorSettings& settings = session_.settings;
  const LinkState& link = session_.link;
  if (!IsChineseCgrom(link.CgromType)) return;
  // The range belongs to the regular canned messages; the ideographic
  // numeric level is only adjusted along with it.
  if (!settings.Checked(Control::cb_regularCannedMsg)) return;
  const CannedRange& range = CannedRangeOf(link.CgromType);
  const auto start = CheckedCannedWordOfText(settings.Text(Control::ed_startCannedMsg));
  const auto end = CheckedCannedWordOfText(settings.Text(Control::ed_endCannedMsg));
  const auto inRange = [&](std::optional<std::uint16_t> w) { return w && range.Holds(*w); };
  if (inRange(start) && inRange(end)) return;
  ui_.ShowError(kCannedRangeInvalid);
  settings.SetText(Control::ed_startCannedMsg, link.CannedRangeStart);
  settings.SetText(Control::ed_endCannedMsg, link.CannedRangeEnd);
  if (link.CgromType == kCgromSimplifiedChinese &&
      settings.CheckState(Control::cb_ideoNumericCanned) == kCannedSelectionTwoDigits) {
    settings.SetCheckState(Control::cb_ideoNumericCanned, kCannedSelectionExtended);
  }
}

void ProgramSequence::TakeOverHardware(const ProgramFamilyTraits& traits) {
  EditorSettings& settings = session_.settings;
  LinkState& link = session_.link;
  ImageFields image(session_.image, session_.layout);
  settings.SetItem(Control::cb_PLL_Type, pager_.synthType);
  settings.SetItem(Control::cb_nwBand, pager_.bandwidth);
  image.SetByte(Field::kBandByte,
                WithBit(image.Byte(Field::kBandByte), kHwClassBit, pager_.hwClass != 0));
  // A pager without a codeplug gets the serial number typed for it.
  const std::string modelText =
      link.Unprogrammed ? PadRight(link.SerialNumber, kModelTextLength) : pager_.modelText;
  settings.SetText(Control::ed_serialNumber, modelText);
  if (!traits.is4K()) {
    image.SetText(Field::kSerialNumber, modelText);
    link.ModelCode = pager_.modelByte;
  }
  if (traits.is4K() || !link.Unprogrammed) {
    session_.synth.SynthHwByte = pager_.synthHwByte;
    SelectPllParams(session_.synth.params, pager_.synthType, settings.Item(Control::cb_freqBand));
  }
}

int ProgramSequence::SearchSynthesizer(const ProgramFamilyTraits& traits) {
  const auto hz = HzOfFrequencyText(session_.settings.Text(Control::ed_frequency));
  DividerRequest request{.image = session_.image.Bytes(),
                         .family = traits.synth,
                         .chipType = session_.settings.Item(Control::cb_PLL_Type),
                         .band = session_.settings.Item(Control::cb_freqBand)};
  if (!hz || SearchDividers(session_.synth, *hz, request) == 0) {
    ui_.ShowError(kFrequencyNotSynthesizable);
    return kFrequencyNotSynthesizable;
  }
  return 0;
}

int ProgramSequence::EncodeAndWrite(const ProgramFamilyTraits& traits) {
  LinkState& link = session_.link;
  if (traits.is4K()) {
    if (const int e = Encode(); e != 0) return e;
    const int r = RunOn(link_, traits, opWriteCodeplug);
    if (r != 0) ShowLinkFailure(r, traits);
    return r;
  }
  ImageFields image(session_.image, session_.layout);
  if (link.ModelCode == kModel89) {
    image.SetByte(Field::kSubModel, kSubModelOf89);
  } else if (link.ModelCode == kModelC0) {
    image.SetByte(Field::kSubModel, static_cast<std::uint8_t>(pager_.subModel));
  } else {
    image.SetByte(Field::kSubModel, kSubModelOf81);
  }
  if (Contains(kEncoded1KModels, link.ModelCode)) {
    if (const int e = Encode(); e != 0) return e;
  }
  if (const std::uint8_t model = ModelByteForFirmware1K(FirmwareFlagsOf(link)); model != 0) {
    image.SetByte(Field::kModelByte, model);
  }
  const CrossModelInput input{.codeplugModel = static_cast<std::uint8_t>(session_.readModelWord),
                              .codeplugSubModel = image.Byte(Field::kSubModel),
                              .pagerModel = link.ModelCode,
                              .r0406 = link.R0406,
                              .pagerSubModel = pager_.subModel};
  image.SetByte(Field::kOptionByte1, AdjustOptionByte(image.Byte(Field::kOptionByte1),
                                                      CrossModelSource(input), pager_.optionBits));
  // The bytes above changed after the encode: the pager checks the sum.
  WriteImageChecksum(session_.image, session_.layout);
  return RunOn(link_, traits, opWriteCodeplug);
}

int ProgramSequence::SetClock(const ProgramFamilyTraits& traits) {
  LinkState& link = session_.link;
  if (NeedsSecondReceiverOn(link.FirmwareVersion)) {
    clock_.DelayMs(kPauseBeforeSecondReceiverOn);
    link_.RunCompactQuietly(opReceiverOn);  // its failure is not reported either
  }
  PasswordState& passwords = session_.passwords;
  if (session_.settings.Checked(Control::cb_enableLocalPasswd) &&
      (passwords.passwordChanged || !link.PasswordAsked)) {
    link.StatusReply = 0;
    link.PasswordAsked = false;
  }
  passwords.passwordChanged = false;

  clock_.DelayMs(traits.pauseAfterWrite);
  if (link.ModelCode == kFourAddressModel) return 0;
  clock_.DelayMs(traits.pauseBeforeClock);
  const int r = RunOn(link_, traits, opSetClock);
  if (r != 0) ShowLinkFailure(r, traits);
  return r;
}

int ProgramSequence::Encode() {
  return steps_.encode ? steps_.encode(session_) : EncodeForProgramming(session_, pager_.subModel);
}

void ProgramSequence::ShowLinkFailure(int r, const ProgramFamilyTraits& traits) const {
  // The compact engine reports its own failures; a pager that stopped
  // answering is asked about by the retry question instead.
  if (!traits.standardEngine || r == kLinkNotResponding || r == kLinkPortNotOpened) return;
  if (r == kOperationCancelled) return;  // the entry that could not be made has said so
  ui_.ShowError(r);
}

int ProgramSequence::VerifyWrite(const ProgramFamilyTraits& traits) {
  LinkState& link = session_.link;
  // The read-back goes into the pager copy like the read before the write;
  // the copy is given back afterwards, as it stands for what the pager held
  // before it was programmed.
  const PagerCopy before = session_.pagerCopy;
  // The read-back only looks: what the link learns on the way (the status,
  // the serial number the pager answers with) must not change the run's
  // state, which the sequence has just settled.
  const LinkState settled = link;
  link.ExtendedReply = true;
  link.ReadBeforeProgram = true;
  const int r = RunOn(link_, traits, opReadCodeplug);
  link.ReadBeforeProgram = false;
  link.ExtendedReply = false;
  if (r != 0) {
    verifyOutcome_.state = VerifyState::NotReadBack;
    verifyOutcome_.readResult = r;
  } else {
    const std::size_t length = ImageLengthOfModel(link.ModelCode);
    verifyOutcome_ = CompareReadBack(session_, session_.image.Bytes().first(length),
                                     session_.pagerCopy.Bytes().first(length));
  }
  session_.pagerCopy = before;
  link = settled;
  if (verifyOutcome_.Passed()) return 0;
  MessageContext context = ui_.CurrentContext();
  context.detail = VerifyDetail(verifyOutcome_) + "\nThe pager has not been programmed correctly.";
  ui_.ShowMessageBox(ComposeError(kVerifyMismatch, context));
  return kVerifyMismatch;
}

void ProgramSequence::RememberLastProgrammed() {
  session_.lastModelCode = session_.link.ModelCode;
  session_.lastCgromType = session_.link.CgromType;
  session_.lastSerialNumber = session_.link.SerialNumber;
}

int ProgramPager(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui,
                 Clock& clock, ProgramSteps steps) {
  return ProgramSequence(session, link, checks, ui, clock, std::move(steps)).ProgramPager();
}

}  // namespace rer
