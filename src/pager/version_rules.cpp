#include "pager/version_rules.h"

#include <array>

#include "codeplug/image_fields.h"
#include "codeplug/layout_bits.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"

namespace rer {
namespace {

// The firmware releases that still need a second receiver-on after a write.
constexpr std::array<std::string_view, 2> kTwiceReceiverOnReleases = {" R0100", " R0101"};

// The model byte of each 1 KB firmware generation, strongest claim first.
struct FirmwareModelByte {
  bool FirmwareFlags::*flag;
  std::uint8_t modelByte;
};
constexpr std::array<FirmwareModelByte, 3> kModelBytes1K = {{
    {&FirmwareFlags::R0406, 0xC0},
    {&FirmwareFlags::R0402, 0x81},
    {&FirmwareFlags::R0404, 0x89},
}};

constexpr std::uint8_t kModelWithoutFirmware = 0x80;

Layout LayoutOfModel(std::uint8_t modelCode) {
  // The version field lies at the same place in both families; a code of
  // neither family is read with the larger arrangement.
  return Layout(FamilyOfModel(modelCode).value_or(PagerFamily::k4K));
}

void AppendTwoDigits(std::string& text, int field) {
  text.push_back(field >= 10 ? '1' : '0');
  text.push_back(static_cast<char>('0' + field % 10));
}

}  // namespace

CodeplugVersion StoredCodeplugVersion(const CodeplugImage& image, std::uint8_t modelCode) {
  const Layout layout = LayoutOfModel(modelCode);
  return ReadCodeplugVersion(ImageReader(image, layout));
}

bool IsNewerThanProgram(const CodeplugVersion& version) {
  return version.CompareNumber(kSystemCodeplugVersion) == std::strong_ordering::greater;
}

std::string CodeplugVersionDigits(const CodeplugVersion& version) {
  std::string digits;
  AppendTwoDigits(digits, version.major);
  AppendTwoDigits(digits, version.minor);
  AppendTwoDigits(digits, version.patch);
  return digits;
}

int CheckCodeplugVersionAfterRead(const CodeplugImage& image, std::uint8_t modelCode) {
  return IsNewerThanProgram(StoredCodeplugVersion(image, modelCode)) ? kReadCodeplugTooNew : 0;
}

bool LocalPasswordRequired(const CodeplugImage& image, std::uint8_t modelCode) {
  const auto family = FamilyOfModel(modelCode);
  if (!family) return false;
  const Layout layout(*family);
  const ImageReader reader(image, layout);
  const bool newerBits = *family == PagerFamily::k1K || IsAbove464(ReadCodeplugVersion(reader));
  const auto bit = newerBits ? ReadBitField(reader, Control::cb_enableLocalPasswd)
                             : ReadBitField(reader, "LocalPasswordEnableUpTo464");
  return bit.value_or(0) != 0;
}

int FirmwareProgrammingCheck(const FirmwareFlags& flags, std::uint8_t modelCode) {
  if (Is4KFamily(modelCode)) return flags.AnyR0407To0502() ? 0 : kFirmwareTooOld;
  if (modelCode == kModelWithoutFirmware && !flags.R0402 && !flags.AnyR0404Or0406()) {
    return kPagerNotProgrammed;
  }
  return flags.AnyR0402To0406() ? 0 : kFirmwareTooOld;
}

std::uint8_t ModelByteForFirmware1K(const FirmwareFlags& flags) {
  for (const auto& entry : kModelBytes1K) {
    if (flags.*entry.flag) return entry.modelByte;
  }
  return 0;
}

bool NeedsSecondReceiverOn(std::string_view firmwareVersion) {
  for (const auto release : kTwiceReceiverOnReleases) {
    if (firmwareVersion == release) return true;
  }
  return false;
}

}  // namespace rer
