#pragma once
// The eleven international character sets: the glyphs the pager shows at the
// fourteen national positions of the prompt alphabet, how the chosen set is
// stored in and recognised from a codeplug, and which sets suit a language.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/result_codes.h"
#include "prompts/prompt_alphabet.h"

namespace rer {

// Index into the items of cb_internationalCharSet.
inline constexpr int kCharSetCount = 11;
// What an all-zero codeplug row is recognised as: no item of the list. Storing
// it writes the zero row back.
inline constexpr int kNoCharSet = 11;
inline constexpr int kCharSetUS = 0;

using NationalRow = std::array<std::uint8_t, kNationalPositionCount>;

extern const std::array<std::string_view, kCharSetCount> kCharSetNames;

// The pager glyph codes of one set; kNoCharSet (or any unknown set) gives
// the zero row.
NationalRow NationalCharRow(int charSet);

// Writes the row of `charSet` to the codeplug's character-set bytes.
void StoreCharSet(int charSet, std::span<std::uint8_t, kNationalPositionCount> destination);
// The first set whose row equals the stored bytes, the zero row counting as
// kNoCharSet; bytes that match no row give "US".
int RecognizeCharSet(std::span<const std::uint8_t, kNationalPositionCount> stored);

// The glyph the pager shows for a prompt code under `charSet`: the set's
// glyph at a national position, the character itself elsewhere.
std::uint8_t PagerGlyph(std::uint8_t code, int charSet);

bool LanguageMatchesCharSet(int language, int charSet);

// The result of choosing `charSet` on the prompt page: 0, or the mismatch
// warning when Latin prompts and the set do not go together.
int CheckCharSetChoice(int language, int charSet, bool ideoPrompts);

}  // namespace rer
