#include "pager/codeplug_files.h"

#include "codeplug/decode_image.h"
#include "codeplug/encode.h"
#include "codeplug/layout_codes.h"
#include "codeplug/pager_family.h"
#include "core/canned_range.h"
#include "core/result_codes.h"
#include "pager/band_check.h"
#include "pager/codeplug_file.h"
#include "pager/password_scramble.h"
#include "synth/divider_search.h"
#include "synth/frequency_band.h"
#include "synth/frequency_text.h"
#include "synth/synth_word_text.h"

namespace rer {
namespace {

// The canned-message range a Chinese character generator comes with; any
// other generator leaves the editor's range cleared.
void ApplyCannedDefaults(PagerSession& session) {
  if (IsChineseCgrom(session.link.CgromType)) {
    const CannedRange& range = CannedRangeOf(session.link.CgromType);
    session.link.CannedRangeStart = CannedTextOfWord(range.first);
    session.link.CannedRangeEnd = CannedTextOfWord(range.last);
    return;
  }
  session.settings.SetText(Control::ed_startCannedMsg, kNoCannedRangeText);
  session.settings.SetText(Control::ed_endCannedMsg, kNoCannedRangeText);
}

// The memory byte a file header carries.
constexpr std::uint8_t kMemoryByteLarge = 0x20;
constexpr std::uint8_t kMemoryByteSmall = 0x08;

}  // namespace

void AdoptDecodedPasswords(PasswordState& passwords, const DecodedPasswords& decoded) {
  passwords.otaPasswordKnown = decoded.ota;
  passwords.localPasswordKnown = decoded.local;
  passwords.localPasswordToWrite = decoded.local;
  passwords.securePasswordKnown = decoded.secure;
  passwords.localWrongCount = decoded.localWrongCount;
  passwords.secureWrongCount = decoded.secureWrongCount;
}

int DecodeSessionImage(PagerSession& session) {
  const std::uint8_t model = session.link.ModelCode;
  if (!FamilyOfModel(model)) return 0;
  SelectLayout(session.layout, model);
  DecodeContext context{.cgromType = session.link.CgromType,
                        .modelCode = model,
                        .programSequence = session.settings.programming,
                        .pagerLargeMemory = session.link.LargeMemory,
                        .synth = session.synth,
                        .unscramblePassword = [](std::string_view scrambled) {
                          return UnscramblePassword(scrambled);
                        }};
  const int result = Is4KFamily(model)
                         ? DecodeImage4K(session.image, session.layout, session.settings, context)
                         : DecodeImage1K(session.image, session.layout, session.settings, context);
  if (result == kSuccess) {
    AdoptDecodedPasswords(session.passwords, session.settings.passwords);
    // The General page shows the stored register words beside the
    // frequency they give, after a read as after a load.
    const SynthFamily family = Is4KFamily(model) ? SynthFamily::k4K : SynthFamily::k1K;
    session.settings.SetText(Control::edtN, EdtNText(session.image.Bytes(), family));
    session.settings.SetText(Control::edtR, EdtRText(session.image.Bytes(), family));
  }
  return result;
}

int CheckAndSearchFrequency(PagerSession& session, UserInterface& ui) {
  const auto hz = HzOfFrequencyText(session.settings.Text(Control::ed_frequency));
  DividerRequest request{.image = session.image.Bytes(),
                         .family = session.layout.Is4K() ? SynthFamily::k4K : SynthFamily::k1K,
                         .chipType = session.settings.Item(Control::cb_PLL_Type),
                         .band = session.settings.Item(Control::cb_freqBand),
                         .saveAs = session.settings.saving};
  if (!hz || SearchDividers(session.synth, *hz, request) != 1) {
    ui.ShowError(kFrequencyNotSynthesizable);
    return kFrequencyNotSynthesizable;
  }
  if (RunBandCheck(session.settings, ui) != 0) return kFrequencyOutOfBand;
  return 0;
}

void EncodeSessionImageForSave(PagerSession& session) {
  EncodeContext context;
  context.modelCode = session.link.ModelCode;
  context.cgromType = session.link.CgromType;
  context.firmware = FirmwareFlagsOf(session.link);
  context.saving = true;
  context.synth = &session.synth;
  context.passwords.ota = session.passwords.otaPasswordKnown;
  context.passwords.local = session.passwords.localPasswordToWrite;
  context.passwords.secure = session.passwords.securePasswordKnown;
  context.scramble = [](std::string_view plain) { return ScramblePassword(plain); };
  EncodeImage(session.settings, session.layout, session.image, context);
}

CodeplugFileHeader FileHeaderOf(const PagerSession& session) {
  CodeplugFileHeader header;
  header.cgromType = static_cast<std::uint8_t>(session.link.CgromType);
  header.largeMemory = session.link.LargeMemory;
  header.modelCode = static_cast<std::uint8_t>(session.link.ModelWord & 0xFF);
  return header;
}

bool SaveCodeplugFile(PagerSession& session, const std::string& path, UserInterface& ui,
                      std::string* writeError) {
  // Only a codeplug of a known family, with its layout in force, can be saved.
  if (!FamilyOfModel(session.link.ModelCode) || !session.layout.InForce()) return false;
  session.settings.saving = true;
  const bool checked = CheckAndSearchFrequency(session, ui) == 0;
  session.settings.saving = false;
  if (!checked) return false;

  // A file that cannot be written leaves the editor as it was: the encode
  // also clears marks in the settings that the next encode still needs.
  const CodeplugImage previousImage = session.image;
  const EditorSettings previousSettings = session.settings;
  session.settings.saving = true;
  EncodeSessionImageForSave(session);
  session.settings.saving = false;
  const bool written = WriteCodeplugFileSafely(
      path, FormatCodeplugFile(session.image.Bytes(), FileHeaderOf(session)), writeError);
  if (!written) {
    session.image = previousImage;
    session.settings = previousSettings;
    return false;
  }
  session.link.MemoryByte = session.link.LargeMemory ? kMemoryByteLarge : kMemoryByteSmall;
  return true;
}

int LoadCodeplugFile(PagerSession& session, const std::string& path, UserInterface& ui) {
  const auto text = ReadTextFile(path);
  if (!text) return 0;
  const auto parsed = ParseCodeplugFile(*text);
  if (!parsed) {
    ui.ShowError(kInvalidArchive);
    return 0;
  }

  // A decode that refuses the codeplug must leave the editor as it was, so
  // the image and the link's values change only once the decode has agreed.
  PagerSession& s = session;
  const CodeplugImage previousImage = s.image;
  const LinkState previousLink = s.link;
  const std::uint16_t previousReadModelWord = s.readModelWord;
  const Layout previousLayout = s.layout;
  const std::string previousStart = s.settings.Text(Control::ed_startCannedMsg);
  const std::string previousEnd = s.settings.Text(Control::ed_endCannedMsg);

  std::copy_n(parsed->image.begin(), parsed->length, s.image.Bytes().begin());
  if (parsed->headerSeen) {
    s.link.CgromType = parsed->cgromType;
    s.link.MemoryByte = parsed->memoryByte;
    s.link.LargeMemory = parsed->largeMemory;
  }
  s.link.ModelWord = parsed->modelWord;
  ApplyCannedDefaults(s);
  s.readModelWord = s.link.ModelWord;
  s.link.ModelCode = static_cast<std::uint8_t>(s.link.ModelWord & 0xFF);
  SelectLayout(s.layout, s.link.ModelCode);

  const int result = DecodeSessionImage(s);
  if (result == kSuccess) return kSuccess;

  s.image = previousImage;
  s.link = previousLink;
  s.readModelWord = previousReadModelWord;
  s.layout = previousLayout;
  s.settings.SetText(Control::ed_startCannedMsg, previousStart);
  s.settings.SetText(Control::ed_endCannedMsg, previousEnd);
  // A newer codeplug is reported for either family: without the message the
  // user would not learn why nothing was loaded.
  if (result == kCodeplugTooNew) ui.ShowError(kCodeplugTooNew);
  return 0;
}

}  // namespace rer
