#pragma once
// The sixteen paging addresses: how a capcode is classified and written as
// address words, and how each address's settings are spread over the image
// (slots, enable mask, long marks, option and frame bytes, frame map, flag
// bits and, in the 4 KB family, alert words) and read back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/field_catalogue.h"  // kAddressCount
#include "codeplug/image_fields.h"

namespace rer {

enum class AddressClass : int { kShort = 0, kLong = 1, kInvalid = 2, kEmpty = 3 };

// Message type items.
inline constexpr int kIndividual = 0;
inline constexpr int kGroup = 1;
inline constexpr int kNoSelection = -1;
// Language pointer items; kNoLanguage is set by the decode step only.
inline constexpr int kLanguageAscii = 0;
inline constexpr int kLanguageIdeo = 1;
inline constexpr int kLanguageThai = 2;
inline constexpr int kNoLanguage = 3;

// The editor's view of one address.
struct AddressSetting {
  std::string capcode;  // decimal digits, at most 10; empty or zeros = none
  int messageType = kIndividual;
  std::string frame;         // normally three digits, 000-127
  std::string batteryCycle;  // "0"-"7"; empty for no address
  bool personal = false;
  bool priority = false;
  bool history = false;
  bool ota = false;
  int languagePointer = kLanguageAscii;
  // 4 KB family only.
  bool encryptionKey = false;
  int alertPattern = 0;         // 0-15
  int alertMode = 0;            // 0-5
  std::string onOffDuty = "N";  // "Y" or "N"
  std::string fixAlert = "N";
  std::string interruptVib = "N";
  std::string escalating = "N";

  bool operator==(const AddressSetting&) const = default;
};

// Address n is element n - 1.
using AddressSettings = std::array<AddressSetting, kAddressCount>;

// The number a capcode text stands for. An empty text is 0. A number beyond
// 32 bits reads as 0xFFFFFFFF, which is invalid, rather than wrapping round
// to some unrelated valid address. Reading stops at the first non-digit.
std::uint32_t CapcodeValue(std::string_view text);

AddressClass ClassifyCapcode(std::uint32_t value, bool evenSlot);
// Leading zeros removed, then padded with zeros to 7 (short) or 9 (long)
// digits; a longer text is left as it is.
std::string FormatCapcode(std::string_view text, bool isLong);

// Address words: 21 bits in a slot.
std::uint32_t ShortAddressWord(std::uint32_t value);
struct LongAddressWords {
  std::uint32_t first;   // goes into the odd slot
  std::uint32_t second;  // goes into the following even slot
};
LongAddressWords LongAddressWordsOf(std::uint32_t value);
// The capcode of a short word; words below the short base give no capcode.
std::optional<std::uint32_t> CapcodeOfShortWord(std::uint32_t word);
// The capcode of a long pair (wider than 32 bits only for damaged words).
std::uint64_t CapcodeOfLongWords(std::uint32_t first, std::uint32_t second);

// One address slot as stored: the 21-bit word and the long flag.
struct AddressSlotValue {
  std::uint32_t word = 0;
  bool isLong = false;
};
AddressSlotValue ReadAddressSlot(const ImageReader& image, int address);
void WriteAddressSlot(ImageFields& image, int address, AddressSlotValue slot);
void WriteEmptyAddressSlot(ImageFields& image, int address);

// Option and frame bytes of all addresses into the settings (language
// pointer read with the pager's character generator type).
void DecodeAddressOptions(const ImageReader& image, int cgromType, AddressSettings& settings);
// Capcodes of all addresses; an address without one is cleared.
void DecodeAddressSlots(const ImageReader& image, AddressSettings& settings);
void EncodeAddressOptions(const AddressSettings& settings, int cgromType, ImageFields& image);

// One bit per paging frame 0-127: frame f is bit (f mod 8) of byte
// 15 - (f div 8). The system records carry it (records 15 to 22).
using FrameMap = std::array<std::uint8_t, 16>;
FrameMap FillFrameMap(const AddressSettings& settings);

// Slots, enable mask, long-address marks and the two marker bytes.
void EncodeAddressSlots(const AddressSettings& settings, ImageFields& image);

// History and OTA bits, and in the 4 KB family the encryption keys and
// alert words, both ways.
void DecodeAddressFlags(const ImageReader& image, AddressSettings& settings);
void EncodeAddressFlags(const AddressSettings& settings, ImageFields& image);

// The FLEX address text of address n (1-16).
std::string FlexAddressText(const AddressSettings& settings, int address);
// What the FLEX field of address n shows after a refresh. For an odd address
// holding a long capcode the following even address is cleared as well.
std::string RefreshFlexAddress(AddressSettings& settings, int address);

}  // namespace rer
