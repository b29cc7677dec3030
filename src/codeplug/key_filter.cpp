#include "codeplug/key_filter.h"

#include <cstdio>

#include "prompts/prompt_alphabet.h"

namespace rer {
namespace {

constexpr char32_t kBackspaceKey = 0x08;

// Decodes one UTF-8 character at `at` and moves past it; a byte that starts
// no valid character comes back as itself, which no filter of ours admits
// beyond ASCII.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  const auto byte = static_cast<unsigned char>(text[at++]);
  if (byte < 0x80) return byte;
  int follow = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
  char32_t value = byte & (0x3F >> follow);
  if (follow == 0) return byte;
  for (; follow > 0 && at < text.size(); --follow) {
    value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return value;
}

std::string Shown(char32_t key) {
  if (key >= 0x20 && key < 0x7F) return std::string("\"") + static_cast<char>(key) + "\"";
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(key));
  return text;
}

}  // namespace

bool KeyFilterAcceptsKey(KeyFilter filter, char32_t key) {
  if (key == kBackspaceKey) return true;
  switch (filter) {
    case KeyFilter::None:
      return true;
    case KeyFilter::Digits:
      return key >= U'0' && key <= U'9';
    case KeyFilter::PromptText:
      return IsPromptFieldKey(key);
    case KeyFilter::YesNoOverwrite:
      return key == U'Y' || key == U'y' || key == U'N' || key == U'n';
    case KeyFilter::PasswordKeyDigits:
      return key >= U'0' && key <= U'3';
    case KeyFilter::HexDigits:
      return (key >= U'0' && key <= U'9') || (key >= U'A' && key <= U'F') ||
             (key >= U'a' && key <= U'f');
  }
  return false;
}

std::optional<std::string> TypingProblem(const ControlEntry& entry, std::string_view text) {
  int characters = 0;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t key = NextCharacter(text, at);
    ++characters;
    // A backspace is an editing key, never a character of the text.
    if (key == kBackspaceKey || !KeyFilterAcceptsKey(entry.keyFilter, key)) {
      return "does not take the character " + Shown(key) + " (position " +
             std::to_string(characters) + ")";
    }
  }
  if (entry.maxLength > 0 && characters > entry.maxLength) {
    return "is longer than " + std::to_string(entry.maxLength) + " characters";
  }
  return std::nullopt;
}

}  // namespace rer
