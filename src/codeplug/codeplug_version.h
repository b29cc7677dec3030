#pragma once
// The codeplug version stored in the image: a release letter and a
// major.minor.patch number, one nibble each.

#include <compare>

#include "codeplug/image_fields.h"

namespace rer {

struct CodeplugVersion {
  int letterCode = 0;  // 1 = release "R"; anything else = "B"
  int major = 0;
  int minor = 0;
  int patch = 0;

  char Letter() const { return letterCode == 1 ? 'R' : 'B'; }
  // Orders by (major, minor, patch) only; the letter plays no part.
  std::strong_ordering CompareNumber(const CodeplugVersion& other) const;
};

// The version this system writes: R 4.6.9.
inline constexpr CodeplugVersion kSystemCodeplugVersion{1, 4, 6, 9};
// Codeplugs above this version keep both password enables in option byte 1.
inline constexpr CodeplugVersion kPasswordBitsMovedAfter{0, 4, 6, 4};

CodeplugVersion ReadCodeplugVersion(const ImageReader& image);
void WriteCodeplugVersion(ImageFields& image, const CodeplugVersion& version);

// True when (major, minor, patch) is greater than 4.6.4.
bool IsAbove464(const CodeplugVersion& version);

}  // namespace rer
