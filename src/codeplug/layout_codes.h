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

// The code tables that the storage column of controls.tsv names (code=T1 ...).
// Time codes count 8-second units (T4: eighths of a second).
// T1: "None", "2 min", "3.07 min", "4 min", "5.07 min", "10 min", "15.07 min", "30 min".
inline constexpr std::array<std::uint8_t, 8> kT1Codes{0, 15, 23, 30, 38, 75, 113, 225};
// T2: "None", "8 sec", "16 sec", "32 sec", "64 sec", "96 sec", "2 min", "3 min", "4 min", "5 min".
inline constexpr std::array<std::uint8_t, 10> kT2Codes{0, 1, 2, 4, 8, 12, 15, 23, 30, 38};
// T3: "16 sec", "32 sec", "64 sec", "5.07 min".
inline constexpr std::array<std::uint8_t, 4> kT3Codes{2, 4, 8, 38};
// T4: "1/2 sec", "1 sec", "2 sec", "3 sec", "4 sec", "6 sec", "8 sec", "10 sec", "30 sec".
inline constexpr std::array<std::uint8_t, 9> kT4Codes{4, 8, 16, 24, 32, 48, 64, 80, 240};
// "None", "4 min", "6 min", "8 min".
inline constexpr std::array<std::uint8_t, 4> kOorCodes{0, 15, 23, 31};
// Printer codes of items 0-4.
inline constexpr std::array<std::uint8_t, 5> kPrinterCodes{16, 8, 4, 2, 1};
// "1min", "4min".
inline constexpr std::array<std::uint8_t, 2> kFlexFrameCodes{0x21, 0x81};
// "Prompts", "Icons", "Both"; 00 reads as "Prompts".
inline constexpr std::array<std::uint8_t, 3> kFunctionMenuCodes{1, 2, 3};
// Levels 0, 1, 2; the unused pattern 10 reads as level 2.
inline constexpr std::array<std::uint8_t, 3> kIdeoCannedCodes{0, 1, 3};

inline constexpr ItemCodeTable kT1Table{kT1Codes, 0};
inline constexpr ItemCodeTable kT2Table{kT2Codes, 0};
inline constexpr ItemCodeTable kT3Table{kT3Codes, 1};
inline constexpr ItemCodeTable kT4Table{kT4Codes, 4};
inline constexpr ItemCodeTable kOorTable{kOorCodes, 0};
inline constexpr ItemCodeTable kPrinterTable{kPrinterCodes, 3};
inline constexpr ItemCodeTable kFlexFrameTable{kFlexFrameCodes, 0};
inline constexpr ItemCodeTable kFunctionMenuTable{kFunctionMenuCodes, 0};
inline constexpr ItemCodeTable kIdeoCannedTable{kIdeoCannedCodes, 2};
std::uint8_t CodeOfItem(const ItemCodeTable& table, int item);

// A setting whose whole byte (or group of bits) is an item code.
struct CodedSettingRow {
  std::string_view name;
  Field field;
  std::uint8_t low;
  std::uint8_t width;
  const ItemCodeTable* table;
  FamilySet families = kBothFamilies;
};

// The rows of the settings without a control, and the rows of the controls.
std::span<const CodedSettingRow> CodedSettingRows();
std::span<const CodedSettingRow> ControlCodedSettingRows();
// The item of `row` as stored, and its writing, without a look-up.
int ReadCodes(const ImageReader& image, const CodedSettingRow& row);
void WriteCodes(ImageFields& image, const CodedSettingRow& row, int item);
// The item of `name`, or nothing when the family in force has no such field.
std::optional<int> ReadCodedSetting(const ImageReader& image, std::string_view name);
// Writes the code of `item`; false when the family in force has no such field.
bool WriteCodedSetting(ImageFields& image, std::string_view name, int item);
// The same for a control stored as item codes.
std::optional<int> ReadCodedSetting(const ImageReader& image, Control control);
bool WriteCodedSetting(ImageFields& image, Control control, int item);

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
// The same for a text that must be exactly four hexadecimal digits, as the
// program sequence checks a range against the pager's ROM; nothing otherwise.
std::optional<std::uint16_t> CheckedCannedWordOfText(std::string_view text);
// The word as the range fields show it: four upper-case hexadecimal digits
// ("0000" for none), the form the fields are typed in and the defaults take.
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
