#include "prompts/national_char_set.h"

#include <algorithm>

namespace rer {

const std::array<std::string_view, kCharSetCount> kCharSetNames = {
    "US",         "Swiss",   "German",    "French", "Italian", "Spanish",
    "Portuguese", "Swedish", "Norwegian", "Danish", "UK"};

namespace {

// Glyph codes of the pager's character ROM for the national positions
//                 #     $     @     [     \     ]     ^     _     `     {     |     }     ~   DEL
constexpr std::array<NationalRow, kCharSetCount> kNationalCharTable = {{
    {0x23, 0x24, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0x20},  // US
    {0x81, 0x24, 0x83, 0x8A, 0x8B, 0x90, 0x94, 0x95, 0x96, 0x99, 0x9D, 0x9F, 0xA3, 0x20},  // Swiss
    {0x23, 0x24, 0x84, 0x7F, 0x8E, 0x92, 0x5E, 0x5F, 0x60, 0x99, 0x9D, 0x9F, 0xA0, 0x20},  // German
    {0x80, 0x24, 0x83, 0x87, 0x8B, 0x84, 0x5E, 0x5F, 0x60, 0x8A, 0x81, 0x95, 0xA1, 0x20},  // French
    {0x23, 0x24, 0x40, 0x87, 0x5C, 0x8A, 0x5E, 0x5F, 0x81, 0x83, 0x9C, 0x95, 0xA2,
     0x20},  // Italian
    {0x82, 0x24, 0x40, 0x89, 0x8D, 0x8F, 0x93, 0x5F, 0x97, 0x8B, 0x9B, 0x92, 0x9F,
     0x20},  // Spanish
    {0x80, 0x24, 0x40, 0x89, 0x8F, 0x8B, 0x7F, 0x5F, 0x60, 0x99, 0x93, 0x8E, 0x9D,
     0x20},  // Portuguese
    {0x80, 0x24, 0x86, 0x7F, 0x8E, 0x91, 0x92, 0x5F, 0x8A, 0x99, 0x9D, 0x9E, 0x9F,
     0x20},  // Swedish
    {0x23, 0x24, 0x84, 0x88, 0x8C, 0x91, 0x5E, 0x5F, 0x60, 0x98, 0x9A, 0x9E, 0xA1,
     0x20},  // Norwegian
    {0x23, 0x24, 0x84, 0x88, 0x8C, 0x91, 0x5E, 0x5F, 0x60, 0x98, 0x9A, 0x9E, 0xA1, 0x7F},  // Danish
    {0x80, 0x24, 0x85, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0x20},  // UK
}};

constexpr int kUK = 10, kDanish = 9, kNorwegian = 8, kSwedish = 7, kPortuguese = 6, kSpanish = 5,
              kItalian = 4, kFrench = 3, kGerman = 2, kSwiss = 1;

constexpr unsigned Set(int charSet) {
  return 1u << charSet;
}

// Per prompt language 0..14, the character sets that carry its national
// letters. Chinese prompts (15, 16) and unknown languages match none.
constexpr std::array<unsigned, 15> kMatchingCharSets = {
    Set(kCharSetUS) | Set(kUK),                                   // 0 English
    Set(kGerman),                                                 // 1 German
    Set(kSwiss),                                                  // 2 German/Swiss
    Set(kFrench),                                                 // 3 French
    Set(kSwedish),                                                // 4 Swedish
    Set(kDanish) | Set(kNorwegian),                               // 5 Danish
    Set(kDanish) | Set(kNorwegian),                               // 6 Norwegian
    Set(kPortuguese),                                             // 7 European Portuguese
    Set(kPortuguese),                                             // 8 LA & C Portuguese
    Set(kSpanish),                                                // 9 European Spanish
    Set(kSpanish),                                                // 10 LA & C Spanish
    Set(kItalian),                                                // 11 Italian
    Set(kSwedish),                                                // 12 Finnish
    Set(kCharSetUS) | Set(kUK) | Set(kDanish) | Set(kNorwegian),  // 13 Dutch
    Set(kCharSetUS) | Set(kUK),                                   // 14 Malay
};

}  // namespace

NationalRow NationalCharRow(int charSet) {
  if (charSet < 0 || charSet >= kCharSetCount) return NationalRow{};
  return kNationalCharTable[charSet];
}

void StoreCharSet(int charSet, std::span<std::uint8_t, kNationalPositionCount> destination) {
  const NationalRow row = NationalCharRow(charSet);
  std::copy(row.begin(), row.end(), destination.begin());
}

int RecognizeCharSet(std::span<const std::uint8_t, kNationalPositionCount> stored) {
  for (int charSet = 0; charSet <= kNoCharSet; ++charSet) {
    const NationalRow row = NationalCharRow(charSet);
    if (std::equal(row.begin(), row.end(), stored.begin())) return charSet;
  }
  return kCharSetUS;
}

std::uint8_t PagerGlyph(std::uint8_t code, int charSet) {
  if (IsNationalCode(code)) return NationalCharRow(charSet)[code - kFirstNationalCode];
  return static_cast<std::uint8_t>(DecodePromptChar(code));
}

bool LanguageMatchesCharSet(int language, int charSet) {
  if (language < 0 || language >= static_cast<int>(kMatchingCharSets.size())) return false;
  if (charSet < 0 || charSet >= kCharSetCount) return false;
  return (kMatchingCharSets[language] & Set(charSet)) != 0;
}

int CheckCharSetChoice(int language, int charSet, bool ideoPrompts) {
  if (ideoPrompts || LanguageMatchesCharSet(language, charSet)) return 0;
  return kCharSetMismatchWarning;
}

}  // namespace rer
