#include "prompts/packed_prompts.h"

#include <algorithm>

#include "core/text.h"
#include "prompts/default_prompt_table.h"
#include "prompts/prompt_alphabet.h"

namespace rer {
namespace {

constexpr int kLengthBits = 5;
constexpr int kCodeBits = 6;
constexpr int kMarkerSkippedBits = 7;

class BitWriter {
 public:
  void Put(unsigned value, int bits) {
    for (int bit = bits - 1; bit >= 0; --bit) {
      if (position_ % 8 == 0) bytes_.push_back(0);
      if ((value >> bit) & 1u) bytes_.back() |= static_cast<std::uint8_t>(0x80u >> (position_ % 8));
      ++position_;
    }
  }
  // Index of the byte the next bit goes into.
  std::size_t NextByte() const { return position_ / 8; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  unsigned Get(int bits) {
    unsigned value = 0;
    for (int i = 0; i < bits; ++i, ++position_) {
      const std::size_t byte = position_ / 8;
      const unsigned bit = byte < bytes_.size() ? (bytes_[byte] >> (7 - position_ % 8)) & 1u : 0u;
      value = (value << 1) | bit;
    }
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// The text as a record stores it: trimmed, never empty, upper-case, and no
// longer than the length field can say.
std::string StoredForm(std::string_view text) {
  std::string stored = ToUpper(Trim(text));
  if (stored.empty()) stored.push_back(' ');  // (push_back: GCC 12 misreads an assignment here)
  if (stored.size() > kMaxStoredPromptLength) stored.resize(kMaxStoredPromptLength);
  return stored;
}

std::vector<std::string> InStoredOrder(const PromptTexts& texts, PromptNumbering numbering) {
  std::vector<std::string> ordered;
  for (int position = 0; position < StoredPromptCount(numbering); ++position) {
    ordered.push_back(texts[StoredPrompt(position, numbering).extended]);
  }
  return ordered;
}

// The part of `image` that the area at `start` may use.
template <typename Byte>
std::span<Byte> AreaOf(std::span<Byte> image, std::size_t start, PromptNumbering numbering) {
  if (start >= image.size()) return {};
  return image.subspan(start, std::min(PackedAreaSize(numbering), image.size() - start));
}

}  // namespace

std::size_t PackedAreaSize(PromptNumbering numbering) {
  return numbering == PromptNumbering::kExtended ? kExtendedPackedAreaSize : kClassicPackedAreaSize;
}

std::vector<std::uint8_t> PackPromptStream(std::span<const std::string> texts,
                                           std::size_t& usedSize) {
  BitWriter writer;
  for (const std::string& text : texts) {
    const std::string stored = StoredForm(text);
    writer.Put(0, 1);
    writer.Put(static_cast<unsigned>(stored.size()), kLengthBits);
    for (char c : stored) writer.Put(EncodePromptChar(c), kCodeBits);
  }
  usedSize = writer.NextByte();
  return writer.Take();
}

std::vector<PackedPromptRecord> UnpackPromptStream(std::span<const std::uint8_t> area, int count) {
  BitReader reader(area);
  std::vector<PackedPromptRecord> records(static_cast<std::size_t>(std::max(count, 0)));
  for (PackedPromptRecord& record : records) {
    if (reader.Get(1) == 1) {
      record.isDefault = true;
      reader.Get(kMarkerSkippedBits);
      continue;
    }
    const unsigned length = reader.Get(kLengthBits);
    for (unsigned i = 0; i < length; ++i) {
      record.text.push_back(DecodePromptChar(static_cast<std::uint8_t>(reader.Get(kCodeBits))));
    }
  }
  return records;
}

std::size_t WritePackedPrompts(const PromptTexts& texts, PromptNumbering numbering,
                               std::span<std::uint8_t> image, std::size_t start) {
  const std::vector<std::string> ordered = InStoredOrder(texts, numbering);
  std::size_t usedSize = 0;
  const std::vector<std::uint8_t> stream = PackPromptStream(ordered, usedSize);
  const std::span<std::uint8_t> area = AreaOf(image, start, numbering);
  const std::size_t copied = std::min(stream.size(), area.size());
  std::copy_n(stream.begin(), copied, area.begin());
  std::fill(area.begin() + static_cast<std::ptrdiff_t>(copied), area.end(), 0);
  return usedSize;
}

std::size_t PackedPromptSize(const PromptTexts& texts, PromptNumbering numbering) {
  std::size_t usedSize = 0;
  PackPromptStream(InStoredOrder(texts, numbering), usedSize);
  return usedSize;
}

void ReadPackedPrompts(std::span<const std::uint8_t> image, std::size_t start,
                       PromptNumbering numbering, int language, PromptTexts& texts) {
  const std::vector<PackedPromptRecord> records =
      UnpackPromptStream(AreaOf(image, start, numbering), StoredPromptCount(numbering));
  for (int position = 0; position < static_cast<int>(records.size()); ++position) {
    const PackedPromptRecord& record = records[static_cast<std::size_t>(position)];
    std::string& text = texts[StoredPrompt(position, numbering).extended];
    if (!record.isDefault) {
      text = record.text.substr(0, kMaxReadPromptLength);
    } else if (auto fallback = DefaultPromptText(language, position, numbering)) {
      text = *fallback;
    }
  }
}

}  // namespace rer
