#pragma once
// The in-memory codeplug: the pager's configuration memory as one buffer.
//
// Two buffers of this type live for the whole run: the editor's image and
// the copy of what a pager held just before it is programmed. Both start
// zeroed. A 1 KB pager uses the first 1024 bytes; bytes beyond the family's
// length are never touched by a read or a load.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace rer {

class Layout;

inline constexpr std::size_t kCodeplugImageSize = 4096;

class CodeplugImage {
 public:
  CodeplugImage() = default;

  std::uint8_t& operator[](std::size_t offset) { return bytes_.at(offset); }
  std::uint8_t operator[](std::size_t offset) const { return bytes_.at(offset); }

  std::span<std::uint8_t, kCodeplugImageSize> Bytes() { return bytes_; }
  std::span<const std::uint8_t, kCodeplugImageSize> Bytes() const { return bytes_; }
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  static constexpr std::size_t size() { return kCodeplugImageSize; }

  void Clear() { bytes_.fill(0); }

  bool operator==(const CodeplugImage&) const = default;

 private:
  std::array<std::uint8_t, kCodeplugImageSize> bytes_{};
};

// What the pager held when it was read just before programming.
using PagerCopy = CodeplugImage;

// The checksum byte for the image: the complement of the sum of every byte
// before the checksum byte, modulo 256. Nothing when no family is in force.
std::optional<std::uint8_t> ComputeImageChecksum(const CodeplugImage& image, const Layout& layout);

// Stores the checksum in its byte (the last step of an encode). The byte
// after it is not covered and keeps its value. Does nothing without a family.
void WriteImageChecksum(CodeplugImage& image, const Layout& layout);

}  // namespace rer
