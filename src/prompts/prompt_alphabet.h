#pragma once
// The pager's 6-bit prompt alphabet and the key filter of the prompt fields.

#include <cstdint>
#include <string_view>

namespace rer {

inline constexpr int kPromptCodeCount = 64;
// The fourteen codes that the pager draws with the glyphs of the chosen
// international character set.
inline constexpr std::uint8_t kFirstNationalCode = 36;
inline constexpr int kNationalPositionCount = 14;
inline constexpr std::uint8_t kBlankPromptCode = 54;

// The character of every code, code 0 first: digits, capitals, the national
// positions (DEL last among them), then the punctuation.
inline constexpr std::string_view kPromptAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ#$@[\\]^_`{|}~\x7F?%&/ ><\"'-.*!,";
static_assert(kPromptAlphabet.size() == kPromptCodeCount);

// The code of an (already upper-cased) character; a character outside the
// alphabet gives 0, so it reads back as "0".
std::uint8_t EncodePromptChar(char c);
// The character of a code; only the low six bits count.
char DecodePromptChar(std::uint8_t code);
bool IsNationalCode(std::uint8_t code);

// Whether a key typed into a prompt field is kept: letters, digits, the
// blank, backspace and the punctuation of the alphabet. DEL cannot be typed.
bool IsPromptFieldKey(char32_t key);

}  // namespace rer
