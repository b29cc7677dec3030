#pragma once
// Byte values with a meaning of their own: list settings stored as codes,
// constant bytes, the model index and the ideographic ROM marks. All of it
// is data; the functions only look it up.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/image_fields.h"
#include "codeplug/layout_bits.h"

namespace rer {

// A list setting stored as one code per item. A code that no item has reads
// as `fallbackItem`; an item outside the list is written as that item's code.
struct ItemCodeTable {
  std::span<const std::uint8_t> codes;  // code of item 0, 1, ...
  int fallbackItem;
};

int ItemOfCode(const ItemCodeTable& table, std::uint8_t code);
std::uint8_t CodeOfItem(const ItemCodeTable& table, int item);

// A setting whose whole byte (or group of bits) is an item code.
struct CodedSettingRow {
  std::string_view name;
  Field field;
  std::uint8_t low;
  std::uint8_t width;
  const ItemCodeTable* table;
};

std::span<const CodedSettingRow> CodedSettingRows();
// The item of `name`, or nothing when the family in force has no such field.
std::optional<int> ReadCodedSetting(const ImageReader& image, std::string_view name);
// Writes the code of `item`; false when the family in force has no such field.
bool WriteCodedSetting(ImageFields& image, std::string_view name, int item);

// Constant contents of a field.
struct FixedBytesRow {
  FamilySet families;
  Field field;
  std::span<const std::uint8_t> bytes;
};

// The two bytes that close the address area (written with the slots).
inline constexpr std::array<std::uint8_t, 2> kAddressAreaMarkBytes{0x11, 0x11};

// Written by every encode.
std::span<const FixedBytesRow> EveryEncodeBytes();
// Single values written when the editor's defaults have been applied (the
// longer factory blocks are firmware tables of their own).
std::span<const FixedBytesRow> DefaultsBytes();
// Writes the rows that belong to the family in force.
void WriteFixedBytes(ImageFields& image, std::span<const FixedBytesRow> rows);

// All sixteen tune bytes equal to this byte mean the default pleasing alert.
inline constexpr std::uint8_t kDefaultTuneByte = 0xE9;
bool IsDefaultPleasingTune(const ImageReader& image);
void WriteDefaultPleasingTune(ImageFields& image);

// A canned-message range word from its hexadecimal text: the last four
// characters, right-aligned (a shorter text is zero-filled on the left),
// two digits to a byte; a character that is no hexadecimal digit counts 0.
std::uint16_t CannedWordOfText(std::string_view text);
// The word as lower-case hexadecimal without leading zeros ("0" for 0).
std::string CannedTextOfWord(std::uint16_t word);

// The `cb_Tarsel_Model` item for a model code and sub-model byte; nothing
// for a combination that names no model (the caller keeps its value).
std::optional<int> ModelIndexOf(std::uint8_t modelCode, std::uint8_t subModel);

// The ideographic ROM bytes for the pager's character generator type;
// nothing means "keep the byte as it is".
std::optional<std::uint8_t> IdeoRomMark1(int cgromType);
std::optional<std::uint8_t> IdeoRomMark2(int cgromType);
std::uint8_t IdeoRomCode(int cgromType);

}  // namespace rer
