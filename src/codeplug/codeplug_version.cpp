#include "codeplug/codeplug_version.h"

#include <tuple>

namespace rer {
namespace {

constexpr int kNibble = 4;
constexpr int kNibbleMask = 0x0F;

}  // namespace

std::strong_ordering CodeplugVersion::CompareNumber(const CodeplugVersion& other) const {
  return std::tie(major, minor, patch) <=> std::tie(other.major, other.minor, other.patch);
}

CodeplugVersion ReadCodeplugVersion(const ImageReader& image) {
  const std::uint8_t high = image.Byte(Field::kCodeplugVersion, 0);
  const std::uint8_t low = image.Byte(Field::kCodeplugVersion, 1);
  return CodeplugVersion{high >> kNibble, high & kNibbleMask, low >> kNibble, low & kNibbleMask};
}

void WriteCodeplugVersion(ImageFields& image, const CodeplugVersion& version) {
  const auto pack = [](int high, int low) {
    return static_cast<std::uint8_t>(((high & kNibbleMask) << kNibble) | (low & kNibbleMask));
  };
  image.SetByte(Field::kCodeplugVersion, pack(version.letterCode, version.major), 0);
  image.SetByte(Field::kCodeplugVersion, pack(version.minor, version.patch), 1);
}

bool IsAbove464(const CodeplugVersion& version) {
  return version.CompareNumber(kPasswordBitsMovedAfter) == std::strong_ordering::greater;
}

}  // namespace rer
