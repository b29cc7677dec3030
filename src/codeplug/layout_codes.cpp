#include "codeplug/layout_codes.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "codeplug/control_storage.h"
#include "core/text.h"

namespace rer {
namespace {

// The settings without a control stored as codes; the controls' rows come
// from the storage column of controls.tsv.
constexpr auto kCodedSettings = std::to_array<CodedSettingRow>({
    {"PrinterCode", Field::kPrinterCode, 0, 8, &kPrinterTable},
});

constexpr std::array<std::uint8_t, 5> kIdentitySignature{0x29, 0x26, 0x29, 0x43, 0x57};
constexpr std::array<std::uint8_t, 1> kFirmwareTag{0x13};
constexpr std::array<std::uint8_t, 3> kFirmwareHeader1K{0xFE, 0xFF, 0x11};
constexpr std::array<std::uint8_t, 3> kFirmwareHeader4K{0x01, 0xFF, 0x11};
constexpr std::array<std::uint8_t, 1> kFirmwareLevel1K{0xDF};

constexpr auto kEveryEncode = std::to_array<FixedBytesRow>({
    {kBothFamilies, Field::kIdentitySignature, kIdentitySignature},
    {kBothFamilies, Field::kFirmwareTag, kFirmwareTag},
    {kOnly1K, Field::kFirmwareHeader, kFirmwareHeader1K},
    {kOnly4K, Field::kFirmwareHeader, kFirmwareHeader4K},
    {kBothFamilies, Field::kAddressAreaMark, kAddressAreaMarkBytes},
    {kOnly1K, Field::kFirmwareLevel, kFirmwareLevel1K},
});

constexpr std::array<std::uint8_t, 1> kZero{0x00};
constexpr std::array<std::uint8_t, 1> kFactoryLevel{60};
constexpr std::array<std::uint8_t, 1> kFactoryTimingA{5};
constexpr std::array<std::uint8_t, 1> kFactoryTimingB{37};
constexpr std::array<std::uint8_t, 1> kDefaultPrinterCode{4};

constexpr auto kDefaults = std::to_array<FixedBytesRow>({
    {kBothFamilies, Field::kPrinterCode, kDefaultPrinterCode},
    {kBothFamilies, Field::kFactoryTimingA, kFactoryTimingA},
    {kBothFamilies, Field::kFactoryTimingB, kFactoryTimingB},
    {kBothFamilies, Field::kIdeoRomCode, kZero},
    {kBothFamilies, Field::kFeatureSpare, kZero},
    {kBothFamilies, Field::kLanguageByte, kZero},
    {kBothFamilies, Field::kSilentRfOptions, kZero},
    {kBothFamilies, Field::kFactoryLevel, kFactoryLevel},
    {kBothFamilies, Field::kServiceAdjustment, kZero},
});

// Rows are tried in order; the first that matches names the model.
constexpr int kAny = -1;
struct ModelRule {
  int modelCode;  // kAny = any model code of the families
  FamilySet families;
  std::array<int, 2> subModels;  // kAny = any sub-model
  int modelIndex;
};

constexpr auto kModelRules = std::to_array<ModelRule>({
    {0x84, kOnly4K, {kAny, kAny}, 5},
    {0x88, kOnly4K, {kAny, kAny}, 5},
    {0x81, kOnly1K, {kAny, kAny}, 0},
    {0x89, kOnly1K, {kAny, kAny}, 1},
    {0xC0, kOnly1K, {1, 17}, 9},
    {0xC0, kOnly1K, {2, 34}, 10},
    {0xD0, kOnly4K, {30, 30}, 6},
    {0xD1, kOnly4K, {30, 30}, 6},
    {kAny, kOnly4K, {21, 21}, 2},
    {kAny, kOnly4K, {46, 46}, 3},
    {kAny, kOnly4K, {93, 93}, 4},
    {kAny, kBothFamilies, {133, 133}, 5},
    {kAny, kBothFamilies, {149, 149}, 6},
    {kAny, kOnly4K, {166, 166}, 7},
    {kAny, kOnly4K, {221, 221}, 8},
});

bool RuleMatches(const ModelRule& rule, PagerFamily family, int modelCode, int subModel) {
  if (!InFamilySet(rule.families, family)) return false;
  if (rule.modelCode != kAny && rule.modelCode != modelCode) return false;
  if (rule.subModels[0] == kAny) return true;
  return subModel == rule.subModels[0] || subModel == rule.subModels[1];
}

// What the character generator type puts into the ROM bytes; a type not
// listed keeps both marks and gets ROM code 0.
struct RomMarkRow {
  int cgromType;
  std::uint8_t mark1;
  std::uint8_t mark2;
  std::uint8_t romCode;
};

constexpr auto kRomMarks = std::to_array<RomMarkRow>({
    {0, 0, 0, 0},
    {1, 15, 14, 1},
    {2, 15, 14, 1},
    {3, 15, 15, 2},
});
// Types the mark bytes do not know: only the ROM code follows them.
constexpr auto kRomCodesOnly = std::to_array<std::array<int, 2>>({{4, 3}, {5, 4}});

const RomMarkRow* FindRomMarks(int cgromType) {
  for (const RomMarkRow& row : kRomMarks) {
    if (row.cgromType == cgromType) return &row;
  }
  return nullptr;
}

const CodedSettingRow* FindCoded(std::string_view name) {
  for (const CodedSettingRow& row : kCodedSettings) {
    if (row.name == name) return &row;
  }
  for (const CodedSettingRow& row : control_storage::kCodedRows) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

bool InForce(const ImageReader& image, const CodedSettingRow& row) {
  const auto family = image.layout().Family();
  return family && InFamilySet(row.families, *family) && image.Has(row.field);
}

const CodedSettingRow* FindCoded(const ImageReader& image, Control control) {
  const auto& index = control_storage::kIndex[static_cast<std::size_t>(control)];
  for (std::size_t i = index.firstCodedRow; i < index.firstCodedRow + index.codedRowCount; ++i) {
    if (InForce(image, control_storage::kCodedRows[i])) return &control_storage::kCodedRows[i];
  }
  return nullptr;
}

}  // namespace

int ItemOfCode(const ItemCodeTable& table, std::uint8_t code) {
  const auto it = std::find(table.codes.begin(), table.codes.end(), code);
  return it == table.codes.end() ? table.fallbackItem : static_cast<int>(it - table.codes.begin());
}

std::uint8_t CodeOfItem(const ItemCodeTable& table, int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= table.codes.size()) {
    item = table.fallbackItem;
  }
  return table.codes[static_cast<std::size_t>(item)];
}

std::span<const CodedSettingRow> CodedSettingRows() {
  return kCodedSettings;
}
std::span<const CodedSettingRow> ControlCodedSettingRows() {
  return control_storage::kCodedRows;
}

int ReadCodes(const ImageReader& image, const CodedSettingRow& row) {
  const auto code = static_cast<std::uint8_t>(image.Bits(row.field, row.low, row.width));
  return ItemOfCode(*row.table, code);
}

void WriteCodes(ImageFields& image, const CodedSettingRow& row, int item) {
  image.SetBits(row.field, row.low, row.width, CodeOfItem(*row.table, item));
}

std::optional<int> ReadCodedSetting(const ImageReader& image, std::string_view name) {
  const CodedSettingRow* row = FindCoded(name);
  if (!row || !InForce(image, *row)) return std::nullopt;
  return ReadCodes(image, *row);
}

bool WriteCodedSetting(ImageFields& image, std::string_view name, int item) {
  const CodedSettingRow* row = FindCoded(name);
  if (!row || !InForce(image, *row)) return false;
  WriteCodes(image, *row, item);
  return true;
}

std::optional<int> ReadCodedSetting(const ImageReader& image, Control control) {
  const CodedSettingRow* row = FindCoded(image, control);
  if (!row) return std::nullopt;
  return ReadCodes(image, *row);
}

bool WriteCodedSetting(ImageFields& image, Control control, int item) {
  const CodedSettingRow* row = FindCoded(image, control);
  if (!row) return false;
  WriteCodes(image, *row, item);
  return true;
}

std::span<const FixedBytesRow> EveryEncodeBytes() {
  return kEveryEncode;
}
std::span<const FixedBytesRow> DefaultsBytes() {
  return kDefaults;
}

void WriteFixedBytes(ImageFields& image, std::span<const FixedBytesRow> rows) {
  const auto family = image.layout().Family();
  if (!family) return;
  for (const FixedBytesRow& row : rows) {
    if (InFamilySet(row.families, *family)) image.SetBytes(row.field, row.bytes);
  }
}

bool IsDefaultPleasingTune(const ImageReader& image) {
  const auto tune = image.Bytes(Field::kPleasingAlertTune);
  return !tune.empty() && std::all_of(tune.begin(), tune.end(),
                                      [](std::uint8_t b) { return b == kDefaultTuneByte; });
}

void WriteDefaultPleasingTune(ImageFields& image) {
  image.Fill(Field::kPleasingAlertTune, kDefaultTuneByte);
}

std::uint16_t CannedWordOfText(std::string_view text) {
  constexpr std::size_t kDigits = 4;
  if (text.size() > kDigits) text = text.substr(text.size() - kDigits);
  unsigned word = 0;
  for (char c : text) word = (word << 4) | static_cast<unsigned>(HexDigitValue(c));
  return static_cast<std::uint16_t>(word);
}

std::optional<std::uint16_t> CheckedCannedWordOfText(std::string_view text) {
  constexpr std::size_t kDigits = 4;
  if (text.size() != kDigits) return std::nullopt;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return CannedWordOfText(text);
}

std::string CannedTextOfWord(std::uint16_t word) {
  constexpr char kHex[] = "0123456789ABCDEF";
  constexpr int kDigits = 4;
  std::string text(kDigits, '0');
  for (int at = kDigits - 1; at >= 0; --at, word = static_cast<std::uint16_t>(word >> 4)) {
    text[static_cast<std::size_t>(at)] = kHex[word & 0xF];
  }
  return text;
}

std::optional<int> ModelIndexOf(std::uint8_t modelCode, std::uint8_t subModel) {
  const auto family = FamilyOfModel(modelCode);
  if (!family) return std::nullopt;
  for (const ModelRule& rule : kModelRules) {
    if (RuleMatches(rule, *family, modelCode, subModel)) return rule.modelIndex;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> IdeoRomMark1(int cgromType) {
  const RomMarkRow* row = FindRomMarks(cgromType);
  if (!row) return std::nullopt;
  return row->mark1;
}

std::optional<std::uint8_t> IdeoRomMark2(int cgromType) {
  const RomMarkRow* row = FindRomMarks(cgromType);
  if (!row) return std::nullopt;
  return row->mark2;
}

std::uint8_t IdeoRomCode(int cgromType) {
  if (const RomMarkRow* row = FindRomMarks(cgromType)) return row->romCode;
  for (const auto& [type, code] : kRomCodesOnly) {
    if (type == cgromType) return static_cast<std::uint8_t>(code);
  }
  return 0;
}

}  // namespace rer
