#pragma once
// Typed access to the fields of a codeplug image through the layout in force.
//
// Nothing here holds an offset: every position comes from the active
// `LayoutTable`. A field the family does not have (or any field while no
// family is in force) reads as 0 or empty and is never written, so that one
// family's code can never scribble over the other family's data.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/codeplug_image.h"
#include "codeplug/layout_table.h"

namespace rer {

// One element of a field: `index` picks the address, record or slot pair of
// a repeated field (0-based); plain fields use 0.
struct FieldRef {
  FieldRef(Field f, int i = 0) : field(f), index(i) {}  // NOLINT: implicit on purpose
  Field field;
  int index;
};

class ImageReader {
 public:
  ImageReader(const CodeplugImage& image, const Layout& layout)
      : image_(&image), layout_(&layout) {}

  const Layout& layout() const { return *layout_; }
  // True when the element has a place in the family in force.
  bool Has(FieldRef ref) const { return OffsetOf(ref) >= 0; }
  // Number of bytes of one element; 0 when absent.
  std::size_t Size(FieldRef ref) const {
    const FieldPlace place = layout_->Place(ref.field);
    return place.present() && ref.index >= 0 && ref.index < place.count ? place.size : 0;
  }

  // Byte `byteIndex` of the element.
  std::uint8_t Byte(FieldRef ref, int byteIndex = 0) const;
  // The element (1 to 4 bytes) as an unsigned number in the field's own byte
  // order: most significant byte first, except the little-endian fields.
  std::uint32_t Value(FieldRef ref) const;
  bool Bit(FieldRef ref, int bit) const { return (Value(ref) >> bit) & 1u; }
  // `width` bits of the value starting at bit `low`.
  unsigned Bits(FieldRef ref, int low, int width) const;
  // The element's bytes as characters, exactly as stored (blanks included).
  std::string Text(FieldRef ref) const;
  std::span<const std::uint8_t> Bytes(FieldRef ref) const;

 protected:
  // Offset of the element, or -1 when it has no place.
  std::ptrdiff_t OffsetOf(FieldRef ref) const {
    const auto offset = layout_->Offset(ref.field, ref.index);
    return offset ? static_cast<std::ptrdiff_t>(*offset) : -1;
  }

 private:
  const CodeplugImage* image_;
  const Layout* layout_;
};

class ImageFields : public ImageReader {
 public:
  ImageFields(CodeplugImage& image, const Layout& layout)
      : ImageReader(image, layout), image_(&image) {}

  void SetByte(FieldRef ref, std::uint8_t value, int byteIndex = 0);
  // Stores `value` in the field's byte order; bits beyond the width are dropped.
  void SetValue(FieldRef ref, std::uint32_t value);
  void SetBit(FieldRef ref, int bit, bool on);
  // Replaces `width` bits at `low` with the low bits of `value`; the others stay.
  void SetBits(FieldRef ref, int low, int width, unsigned value);
  // Writes `text` blank-padded (or cut) to the field's width.
  void SetText(FieldRef ref, std::string_view text);
  // Copies as many bytes of `bytes` as fit; the rest of the field stays.
  void SetBytes(FieldRef ref, std::span<const std::uint8_t> bytes);
  void Fill(FieldRef ref, std::uint8_t value);

 private:
  CodeplugImage* image_;
};

}  // namespace rer
