#pragma once
// The packed prompt area: Latin prompts stored as one bit stream of text
// records (a 0 bit, a 5-bit length, then 6-bit prompt codes) and default
// markers (a 1 bit and 7 bits that are skipped), most significant bit first,
// with no alignment anywhere.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "prompts/prompt_catalogue.h"

namespace rer {

inline constexpr std::size_t kClassicPackedAreaSize = 468;
inline constexpr std::size_t kExtendedPackedAreaSize = 1095;
// Texts are cut to this on reading.
inline constexpr std::size_t kMaxReadPromptLength = 20;
// The most a text record's 5-bit length field can say; longer texts are cut
// to it on writing so that the stream stays readable.
inline constexpr std::size_t kMaxStoredPromptLength = 31;

std::size_t PackedAreaSize(PromptNumbering numbering);

// One prompt of the stream as read back.
struct PackedPromptRecord {
  bool isDefault = false;  // a default marker: the prompt shows its default
  std::string text;        // the decoded characters of a text record
};

// Packs `texts` in order as text records: each trimmed of blanks at both
// ends, an empty result stored as one blank, upper-cased, encoded. Returns the
// whole stream (zero in its unused bits); `usedSize` receives the index of the
// byte the next bit would go into.
std::vector<std::uint8_t> PackPromptStream(std::span<const std::string> texts,
                                           std::size_t& usedSize);

// Walks `count` records from the start of `area`; bits past its end read as 0.
// Texts come back whole (not cut to 20).
std::vector<PackedPromptRecord> UnpackPromptStream(std::span<const std::uint8_t> area, int count);

// Writes the prompts stored by `numbering` (53 or 75, from `texts` by extended
// number) into the area at `start` of `image`, zeroing the rest of the area.
// Returns the used size n, which the prompt memory check compares with the
// capacity. A stream longer than the area is cut at the area's end (and n
// says by how much it is too long); nothing is written outside the area or
// the image.
std::size_t WritePackedPrompts(const PromptTexts& texts, PromptNumbering numbering,
                               std::span<std::uint8_t> image, std::size_t start);

// The used size WritePackedPrompts would return, without writing anything.
std::size_t PackedPromptSize(const PromptTexts& texts, PromptNumbering numbering);

// Reads the area at `start` of `image` into the prompts of `numbering`: text
// records give their text cut to 20 characters, default markers the default
// of `language`. Prompts the numbering does not store keep their text.
void ReadPackedPrompts(std::span<const std::uint8_t> image, std::size_t start,
                       PromptNumbering numbering, int language, PromptTexts& texts);

}  // namespace rer
