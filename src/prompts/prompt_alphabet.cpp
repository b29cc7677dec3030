#include "prompts/prompt_alphabet.h"

namespace rer {

namespace {
constexpr char kDel = '\x7F';
constexpr char32_t kBackspace = U'\b';
}  // namespace

std::uint8_t EncodePromptChar(char c) {
  const std::size_t code = kPromptAlphabet.find(c);
  return code == std::string_view::npos ? 0 : static_cast<std::uint8_t>(code);
}

char DecodePromptChar(std::uint8_t code) {
  return kPromptAlphabet[code % kPromptCodeCount];
}

bool IsNationalCode(std::uint8_t code) {
  return code >= kFirstNationalCode && code < kFirstNationalCode + kNationalPositionCount;
}

bool IsPromptFieldKey(char32_t key) {
  if (key == kBackspace) return true;
  if (key >= U'a' && key <= U'z') return true;
  if (key > 0x7F || key == static_cast<char32_t>(kDel) || key == 0) return false;
  return kPromptAlphabet.find(static_cast<char>(key)) != std::string_view::npos;
}

}  // namespace rer
