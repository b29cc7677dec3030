#include "codeplug/image_fields.h"

#include <algorithm>

namespace rer {
namespace {

constexpr std::size_t kMaxValueBytes = 4;

unsigned LowMask(int width) {
  return width >= 32 ? ~0u : (1u << width) - 1u;
}

}  // namespace

std::uint8_t ImageReader::Byte(FieldRef ref, int byteIndex) const {
  const std::ptrdiff_t at = OffsetOf(ref);
  if (at < 0 || byteIndex < 0 || static_cast<std::size_t>(byteIndex) >= Size(ref)) return 0;
  return (*image_)[static_cast<std::size_t>(at + byteIndex)];
}

std::uint32_t ImageReader::Value(FieldRef ref) const {
  const std::size_t size = Size(ref);
  if (size == 0 || size > kMaxValueBytes) return 0;
  const bool little = layout_->Place(ref.field).order == ByteOrder::kLittleEndian;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t byteIndex = little ? size - 1 - i : i;
    value = (value << 8) | Byte(ref, static_cast<int>(byteIndex));
  }
  return value;
}

unsigned ImageReader::Bits(FieldRef ref, int low, int width) const {
  return (Value(ref) >> low) & LowMask(width);
}

std::string ImageReader::Text(FieldRef ref) const {
  const auto bytes = Bytes(ref);
  return std::string(bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> ImageReader::Bytes(FieldRef ref) const {
  const std::ptrdiff_t at = OffsetOf(ref);
  if (at < 0) return {};
  return image_->Bytes().subspan(static_cast<std::size_t>(at), Size(ref));
}

void ImageFields::SetByte(FieldRef ref, std::uint8_t value, int byteIndex) {
  const std::ptrdiff_t at = OffsetOf(ref);
  if (at < 0 || byteIndex < 0 || static_cast<std::size_t>(byteIndex) >= Size(ref)) return;
  (*image_)[static_cast<std::size_t>(at + byteIndex)] = value;
}

void ImageFields::SetValue(FieldRef ref, std::uint32_t value) {
  const std::size_t size = Size(ref);
  if (size == 0 || size > kMaxValueBytes) return;
  const bool little = layout().Place(ref.field).order == ByteOrder::kLittleEndian;
  for (std::size_t i = 0; i < size; ++i) {
    // i counts from the least significant byte.
    const std::size_t byteIndex = little ? i : size - 1 - i;
    SetByte(ref, static_cast<std::uint8_t>(value >> (8 * i)), static_cast<int>(byteIndex));
  }
}

void ImageFields::SetBit(FieldRef ref, int bit, bool on) {
  SetBits(ref, bit, 1, on ? 1u : 0u);
}

void ImageFields::SetBits(FieldRef ref, int low, int width, unsigned value) {
  const unsigned mask = LowMask(width) << low;
  SetValue(ref, (Value(ref) & ~mask) | ((value << low) & mask));
}

void ImageFields::SetText(FieldRef ref, std::string_view text) {
  const std::size_t size = Size(ref);
  for (std::size_t i = 0; i < size; ++i) {
    SetByte(ref, static_cast<std::uint8_t>(i < text.size() ? text[i] : ' '), static_cast<int>(i));
  }
}

void ImageFields::SetBytes(FieldRef ref, std::span<const std::uint8_t> bytes) {
  const std::size_t count = std::min(Size(ref), bytes.size());
  for (std::size_t i = 0; i < count; ++i) SetByte(ref, bytes[i], static_cast<int>(i));
}

void ImageFields::Fill(FieldRef ref, std::uint8_t value) {
  const std::size_t size = Size(ref);
  for (std::size_t i = 0; i < size; ++i) SetByte(ref, value, static_cast<int>(i));
}

}  // namespace rer
