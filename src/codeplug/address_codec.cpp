#include "codeplug/address_codec.h"

#include <algorithm>
#include <limits>

#include "codeplug/layout_bits.h"
#include "codeplug/layout_codes.h"
#include "core/cgrom_kind.h"
#include "core/text.h"

namespace rer {
namespace {

struct ValueRange {
  std::uint32_t low;
  std::uint32_t high;
  bool Contains(std::uint32_t v) const { return v >= low && v <= high; }
};

// Short capcodes lie in two ranges; long ones in one (odd slots only).
constexpr std::array<ValueRange, 2> kShortRanges{{{1, 1933312}, {2009088, 2025471}}};
constexpr ValueRange kLongRange{2101249, 1075843072};

// Short word = capcode + base.
constexpr std::uint32_t kShortWordBase = 0x8000;
// Long words count blocks of 32768 capcodes from this value.
constexpr std::uint32_t kLongBase = 2068481;
constexpr std::uint32_t kLongBlock = 32768;
constexpr std::uint32_t kLongSecondTop = 0x1FFFFF;

constexpr std::uint32_t kWordMask = 0x1FFFFF;  // 21 bits
// A slot read as one 32-bit number: record number in the top byte, the long
// flag at bit 6 of the second byte, the word below.
constexpr int kSlotRecordShift = 24;
constexpr std::uint32_t kSlotLongFlag = 1u << 22;
constexpr std::uint8_t kFirstSlotRecordNumber = 0x80;  // address 1; +1 per address

constexpr std::size_t kShortDigits = 7;
constexpr std::size_t kLongDigits = 9;

constexpr std::uint8_t kLongPairMark = 0x40;
// An empty address 2-4 gets battery cycle 7 and priority; 5-16 cycle 7 and personal.
constexpr unsigned kEmptyLowAddressBits = 0x0F;   // bits 0-3
constexpr unsigned kEmptyHighAddressBits = 0x07;  // bits 0-2
constexpr int kLastLowAddress = 4;

constexpr int kFrames = 128;
constexpr int kMaxAlertPattern = 15;
constexpr int kMaxAlertMode = 5;

// Derived-frame block: address 1 and the three capcodes after it.
constexpr std::uint32_t kBlockSpan = 3;
constexpr std::uint32_t kCapcodesPerFrame = 16;
constexpr std::string_view kBlockLetters = "EFGH";
constexpr std::string_view kDefaultBatteryCycle = "4";

int Index(int address) {
  return address - 1;
}

// Value of a short number text (frames, battery cycles); saturates.
std::uint32_t NumberValue(std::string_view text) {
  return CapcodeValue(text);
}

bool IsYes(std::string_view text) {
  return text == "Y";
}
std::string YesNo(bool on) {
  return on ? "Y" : "N";
}

AddressClass ClassOf(const AddressSetting& setting) {
  return ClassifyCapcode(CapcodeValue(setting.capcode), false);
}

void ClearDecodedAddress(AddressSetting& setting, int address) {
  setting.capcode.clear();
  setting.frame.clear();
  setting.batteryCycle.clear();
  setting.messageType = kIndividual;
  setting.priority = false;
  setting.personal = false;
  setting.ota = false;
  if (address > kLastLowAddress) setting.languagePointer = kNoLanguage;
}

// Capcode text of a slot read as short, or nothing when the word is below
// the short base (the encoder never writes such a word).
std::optional<std::string> ShortCapcodeText(std::uint32_t word) {
  const auto value = CapcodeOfShortWord(word);
  if (!value) return std::nullopt;
  return FormatCapcode(std::to_string(*value), false);
}

void DecodeShortSlot(const ImageReader& image, int address, bool taken, AddressSettings& settings) {
  AddressSetting& setting = settings[Index(address)];
  const auto text = taken ? ShortCapcodeText(ReadAddressSlot(image, address).word) : std::nullopt;
  if (text) {
    setting.capcode = *text;
  } else {
    ClearDecodedAddress(setting, address);
  }
}

int LanguageCode(int languagePointer, int cgromType) {
  switch (languagePointer) {
    case kLanguageAscii:
      return 0;
    case kLanguageIdeo:
      return 1;
    case kLanguageThai:
      return cgromType == kCgromOther ? 1 : 2;
    case kNoLanguage:
      return 0;
    default:
      return 3;  // no selection, or a value no list item has
  }
}

void WriteSlotFromValue(ImageFields& image, int address, std::uint32_t value, unsigned& mask) {
  if (value == 0) {
    WriteEmptyAddressSlot(image, address);
    return;
  }
  WriteAddressSlot(image, address, {ShortAddressWord(value), false});
  mask |= 1u << Index(address);
}

void MarkFrames(FrameMap& map, std::uint32_t frame, std::uint32_t batteryCycle) {
  // A cycle of 2^c frames. Beyond 2^32 the first frame is the frame itself,
  // so the exponent is capped there to keep the shift defined.
  constexpr std::uint32_t kWidestCycleExponent = 33;
  const std::uint64_t cycle = std::uint64_t{1} << std::min(batteryCycle, kWidestCycleExponent);
  for (std::uint64_t a = frame % cycle; a < kFrames; a += cycle) {
    map[15 - a / 8] |= static_cast<std::uint8_t>(1u << (a % 8));
  }
}

}  // namespace

std::uint32_t CapcodeValue(std::string_view text) {
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) {
      return std::numeric_limits<std::uint32_t>::max();
    }
  }
  return static_cast<std::uint32_t>(value);
}

AddressClass ClassifyCapcode(std::uint32_t value, bool evenSlot) {
  if (value == 0) return AddressClass::kEmpty;
  for (const ValueRange& range : kShortRanges) {
    if (range.Contains(value)) return AddressClass::kShort;
  }
  if (!kLongRange.Contains(value)) return AddressClass::kInvalid;
  return evenSlot ? AddressClass::kInvalid : AddressClass::kLong;
}

std::string FormatCapcode(std::string_view text, bool isLong) {
  return ZeroPad(StripLeadingZeros(text), isLong ? kLongDigits : kShortDigits);
}

std::uint32_t ShortAddressWord(std::uint32_t value) {
  return value + kShortWordBase;
}

LongAddressWords LongAddressWordsOf(std::uint32_t value) {
  const std::uint32_t offset = value - kLongBase;
  return {offset % kLongBlock + 1, kLongSecondTop - offset / kLongBlock};
}

std::optional<std::uint32_t> CapcodeOfShortWord(std::uint32_t word) {
  if (word < kShortWordBase) return std::nullopt;
  return word - kShortWordBase;
}

std::uint64_t CapcodeOfLongWords(std::uint32_t first, std::uint32_t second) {
  const std::uint64_t blocks = kLongSecondTop - (second & kWordMask);
  return blocks * kLongBlock + first + (kLongBase - 1);
}

AddressSlotValue ReadAddressSlot(const ImageReader& image, int address) {
  const std::uint32_t raw = image.Value(FieldRef(Field::kAddressSlot, Index(address)));
  return {raw & kWordMask, (raw & kSlotLongFlag) != 0};
}

void WriteAddressSlot(ImageFields& image, int address, AddressSlotValue slot) {
  const std::uint32_t record = kFirstSlotRecordNumber + static_cast<std::uint32_t>(Index(address));
  image.SetValue(
      FieldRef(Field::kAddressSlot, Index(address)),
      (record << kSlotRecordShift) | (slot.isLong ? kSlotLongFlag : 0) | (slot.word & kWordMask));
}

void WriteEmptyAddressSlot(ImageFields& image, int address) {
  WriteAddressSlot(image, address, {0, false});
}

namespace {

// The address rows of the bit table, found once per pass over the sixteen
// addresses; a row the family lacks reads as 0 and is not written.
const BitFieldRow* LayoutRow(const ImageReader& image, std::string_view name) {
  const auto family = image.layout().Family();
  return family ? FindBitField(*family, name) : nullptr;
}
unsigned ReadRow(const ImageReader& image, const BitFieldRow* row, int index) {
  return row && image.Has(FieldRef(row->field, index)) ? ReadBits(image, *row, index) : 0;
}
void WriteRow(ImageFields& image, const BitFieldRow* row, unsigned value, int index) {
  if (row && image.Has(FieldRef(row->field, index))) WriteBits(image, *row, value, index);
}

}  // namespace

void DecodeAddressOptions(const ImageReader& image, int cgromType, AddressSettings& settings) {
  const BitFieldRow* optionBatteryCycle = LayoutRow(image, "AddressOption.batteryCycle");
  const BitFieldRow* optionLanguage = LayoutRow(image, "AddressOption.language");
  const BitFieldRow* optionMessageType = LayoutRow(image, "AddressOption.messageType");
  const BitFieldRow* optionPersonal = LayoutRow(image, "AddressOption.personal");
  const BitFieldRow* optionPriority = LayoutRow(image, "AddressOption.priority");
  for (int address = 1; address <= kAddressCount; ++address) {
    AddressSetting& setting = settings[Index(address)];
    const int i = Index(address);
    setting.personal = ReadRow(image, optionPersonal, i) != 0;
    setting.messageType = static_cast<int>(ReadRow(image, optionMessageType, i));
    setting.priority = ReadRow(image, optionPriority, i) != 0;
    setting.batteryCycle =
        std::string(1, static_cast<char>('0' + ReadRow(image, optionBatteryCycle, i)));
    const unsigned language = ReadRow(image, optionLanguage, i);
    setting.languagePointer =
        language == 0 ? kLanguageAscii : (cgromType == kCgromOther ? kLanguageThai : kLanguageIdeo);
    setting.frame = ThreeDigits(image.Byte(FieldRef(Field::kAddressFrameByte, i)));
  }
}

void DecodeAddressSlots(const ImageReader& image, AddressSettings& settings) {
  const std::uint32_t mask = image.Value(Field::kAddressEnableRecord) & 0xFFFF;
  for (int pair = 0; pair < kAddressCount / 2; ++pair) {
    const int odd = 2 * pair + 1;
    const int even = odd + 1;
    const AddressSlotValue oddSlot = ReadAddressSlot(image, odd);
    if (oddSlot.isLong) {
      const AddressSlotValue evenSlot = ReadAddressSlot(image, even);
      settings[Index(odd)].capcode =
          FormatCapcode(std::to_string(CapcodeOfLongWords(oddSlot.word, evenSlot.word)), true);
      ClearDecodedAddress(settings[Index(even)], even);
      continue;
    }
    // Address 1 is read whatever its mask bit says.
    DecodeShortSlot(image, odd, pair == 0 || (mask >> Index(odd) & 1u), settings);
    DecodeShortSlot(image, even, (mask >> Index(even)) & 1u, settings);
  }
}

void EncodeAddressOptions(const AddressSettings& settings, int cgromType, ImageFields& image) {
  const BitFieldRow* optionBatteryCycle = LayoutRow(image, "AddressOption.batteryCycle");
  const BitFieldRow* optionLanguage = LayoutRow(image, "AddressOption.language");
  const BitFieldRow* optionMessageType = LayoutRow(image, "AddressOption.messageType");
  const BitFieldRow* optionPersonal = LayoutRow(image, "AddressOption.personal");
  const BitFieldRow* optionPriority = LayoutRow(image, "AddressOption.priority");
  for (int address = 1; address <= kAddressCount; ++address) {
    const AddressSetting& setting = settings[Index(address)];
    const int i = Index(address);
    const unsigned cycle = NumberValue(setting.batteryCycle) & 0x07;
    WriteRow(image, optionLanguage, LanguageCode(setting.languagePointer, cgromType), i);
    WriteRow(image, optionPersonal, setting.personal, i);
    WriteRow(image, optionMessageType, setting.messageType != 0, i);
    WriteRow(image, optionPriority, setting.priority, i);
    WriteRow(image, optionBatteryCycle, cycle, i);
    if (setting.capcode.empty() && address > 1) {
      const FieldRef option(Field::kAddressOptionByte, i);
      WriteRow(image, optionMessageType, 0, i);
      if (address <= kLastLowAddress) {
        image.SetBits(option, 0, 4, kEmptyLowAddressBits);
      } else {
        image.SetBits(option, 0, 3, kEmptyHighAddressBits);
        WriteRow(image, optionPersonal, 1, i);
      }
    }
    image.SetByte(FieldRef(Field::kAddressFrameByte, i),
                  static_cast<std::uint8_t>(NumberValue(setting.frame)));
  }
}

FrameMap FillFrameMap(const AddressSettings& settings) {
  FrameMap map{};
  const auto mark = [&](int address) {
    const AddressSetting& setting = settings[Index(address)];
    MarkFrames(map, NumberValue(setting.frame), NumberValue(setting.batteryCycle));
  };
  mark(1);
  for (int pair = 0; pair < kAddressCount / 2; ++pair) {
    const int odd = 2 * pair + 1;
    const int even = odd + 1;
    const AddressClass oddClass = ClassOf(settings[Index(odd)]);
    if (pair >= 1 && oddClass != AddressClass::kEmpty) mark(odd);
    if (oddClass != AddressClass::kLong && ClassOf(settings[Index(even)]) != AddressClass::kEmpty) {
      mark(even);
    }
  }
  return map;
}

void EncodeAddressSlots(const AddressSettings& settings, ImageFields& image) {
  unsigned mask = 0;
  for (int pair = 0; pair < kAddressCount / 2; ++pair) {
    const int odd = 2 * pair + 1;
    const int even = odd + 1;
    image.SetByte(FieldRef(Field::kLongAddressMark, pair), 0);
    const std::uint32_t value = CapcodeValue(settings[Index(odd)].capcode);
    const AddressClass oddClass = ClassifyCapcode(value, false);
    if (oddClass == AddressClass::kShort || (oddClass == AddressClass::kEmpty && pair >= 1)) {
      WriteSlotFromValue(image, odd, value, mask);
      // The address pages keep long and invalid values out of even addresses.
      WriteSlotFromValue(image, even, CapcodeValue(settings[Index(even)].capcode), mask);
    } else if (oddClass == AddressClass::kLong) {
      const LongAddressWords words = LongAddressWordsOf(value);
      WriteAddressSlot(image, odd, {words.first, true});
      WriteAddressSlot(image, even, {words.second, true});
      mask |= 3u << Index(odd);
      image.SetByte(FieldRef(Field::kLongAddressMark, pair), kLongPairMark);
    }
    // Invalid, and an empty address 1: both slots keep their bytes.
  }
  // Record 23: 78 00 and the mask, most significant byte first.
  image.SetBytes(Field::kAddressEnableRecord, std::array<std::uint8_t, 2>{0x78, 0x00});
  image.SetBits(Field::kAddressEnableRecord, 0, 16, mask);
  image.SetBytes(Field::kAddressAreaMark, kAddressAreaMarkBytes);
}

void DecodeAddressFlags(const ImageReader& image, AddressSettings& settings) {
  const BitFieldRow* alertEscalating = LayoutRow(image, "AlertWord.escalating");
  const BitFieldRow* alertFixAlert = LayoutRow(image, "AlertWord.fixAlert");
  const BitFieldRow* alertInterruptVib = LayoutRow(image, "AlertWord.interruptVib");
  const BitFieldRow* alertMode = LayoutRow(image, "AlertWord.mode");
  const BitFieldRow* alertOnOffDuty = LayoutRow(image, "AlertWord.onOffDuty");
  const BitFieldRow* alertPattern = LayoutRow(image, "AlertWord.pattern");
  const bool has4K = image.Has(Field::kAlertWord);
  for (int address = 1; address <= kAddressCount; ++address) {
    AddressSetting& setting = settings[Index(address)];
    const int i = Index(address);
    setting.history = image.Bit(Field::kHistoryEnableMask, i);
    setting.ota = image.Bit(Field::kOtaEnableMask, i);
    if (!has4K) continue;
    setting.encryptionKey = image.Bit(Field::kEncryptionKeyMask, i);
    const int pattern = static_cast<int>(ReadRow(image, alertPattern, i));
    const int mode = static_cast<int>(ReadRow(image, alertMode, i));
    setting.alertPattern = pattern > kMaxAlertPattern ? 0 : pattern;
    setting.alertMode = mode > kMaxAlertMode ? 0 : mode;
    setting.interruptVib = YesNo(ReadRow(image, alertInterruptVib, i));
    setting.escalating = YesNo(ReadRow(image, alertEscalating, i));
    setting.fixAlert = YesNo(ReadRow(image, alertFixAlert, i));
    setting.onOffDuty = YesNo(ReadRow(image, alertOnOffDuty, i));
  }
}

void EncodeAddressFlags(const AddressSettings& settings, ImageFields& image) {
  const BitFieldRow* alertEscalating = LayoutRow(image, "AlertWord.escalating");
  const BitFieldRow* alertFixAlert = LayoutRow(image, "AlertWord.fixAlert");
  const BitFieldRow* alertInterruptVib = LayoutRow(image, "AlertWord.interruptVib");
  const BitFieldRow* alertMode = LayoutRow(image, "AlertWord.mode");
  const BitFieldRow* alertOnOffDuty = LayoutRow(image, "AlertWord.onOffDuty");
  const BitFieldRow* alertPattern = LayoutRow(image, "AlertWord.pattern");
  const bool has4K = image.Has(Field::kAlertWord);
  for (int address = 1; address <= kAddressCount; ++address) {
    const AddressSetting& setting = settings[Index(address)];
    const int i = Index(address);
    image.SetBit(Field::kHistoryEnableMask, i, setting.history);
    image.SetBit(Field::kOtaEnableMask, i, setting.ota);
    if (!has4K) continue;
    image.SetBit(Field::kEncryptionKeyMask, i, setting.encryptionKey);
    image.SetValue(FieldRef(Field::kAlertWord, i), 0);
    WriteRow(image, alertPattern, static_cast<unsigned>(setting.alertPattern), i);
    WriteRow(image, alertMode, static_cast<unsigned>(setting.alertMode), i);
    WriteRow(image, alertInterruptVib, IsYes(setting.interruptVib), i);
    WriteRow(image, alertEscalating, IsYes(setting.escalating), i);
    WriteRow(image, alertFixAlert, IsYes(setting.fixAlert), i);
    WriteRow(image, alertOnOffDuty, IsYes(setting.onOffDuty), i);
  }
}

std::string FlexAddressText(const AddressSettings& settings, int address) {
  const AddressSetting& setting = settings[Index(address)];
  const std::uint32_t value = CapcodeValue(setting.capcode);
  const std::uint32_t difference = value - CapcodeValue(settings[0].capcode);
  const bool inBlock = difference <= kBlockSpan;
  const std::uint32_t base = inBlock ? value - difference : value;
  const std::uint32_t derivedFrame = (base / kCapcodesPerFrame) % kFrames;
  const std::string derivedText = ThreeDigits(static_cast<int>(derivedFrame));
  const bool isGroup = setting.messageType == kGroup;
  const bool defaultCycle = setting.batteryCycle == kDefaultBatteryCycle;

  std::string text;
  if (setting.frame != derivedText || isGroup || !inBlock || !defaultCycle) {
    text = setting.frame;
    if (setting.batteryCycle.empty()) return text;
    text += setting.batteryCycle;
  }
  if (setting.batteryCycle.empty()) return text;
  char letter = 'Y';
  if (NumberValue(setting.frame) == derivedFrame && !isGroup && defaultCycle) {
    if (value == 0) {
      letter = ' ';
    } else if (inBlock) {
      letter = kBlockLetters[difference];
    }
  }
  text += letter;
  text += setting.capcode;
  return text;
}

std::string RefreshFlexAddress(AddressSettings& settings, int address) {
  if (address % 2 == 1) {
    if (ClassOf(settings[Index(address)]) == AddressClass::kLong && address < kAddressCount) {
      AddressSetting& next = settings[Index(address + 1)];
      next.capcode.clear();
      next.frame.clear();
      next.batteryCycle.clear();
      next.personal = false;
      next.priority = false;
      next.history = false;
      next.ota = false;
      next.languagePointer = kNoSelection;
      next.messageType = kNoSelection;
    }
    return FlexAddressText(settings, address);
  }
  const AddressClass before = ClassOf(settings[Index(address - 1)]);
  bool shown = false;
  if (address == 2) {
    shown = before == AddressClass::kShort;
  } else if (address == kLastLowAddress) {
    shown = before == AddressClass::kShort || before == AddressClass::kEmpty;
  } else {
    shown = before != AddressClass::kLong;
  }
  return shown ? FlexAddressText(settings, address) : std::string();
}

}  // namespace rer
