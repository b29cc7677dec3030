#pragma once
// The codings of the synthesizer bytes: what the code fields of SynthModeByte
// and SynthRefByte stand for, the chip names, and each chip's register-word
// format. Everything else in this folder derives from these tables.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rer {

inline constexpr int kSynthTypeCount = 5;  // 0 HI8107, 1 MB15E03, 2 NPC5170, 3 FS8107/8, 4 FS8308
inline constexpr int kSynthTypeMB15E03 = 1;
inline constexpr int kSynthTypeNPC5170 = 2;
inline constexpr int kSynthTypeFS8107 = 3;
inline constexpr int kSynthTypeFS8308 = 4;

// Chip names the synthesizer record carries, by type index.
inline constexpr std::array<std::string_view, kSynthTypeCount> kSynthChipNames{
    "HI8107", "MB15E03", "NPC5170", "FS8108", "FS8308"};

// Intermediate frequency by the code in bits 5-7 of SynthModeByte; codes 5-7 name none.
inline constexpr std::array<std::uint32_t, 5> kIfHzByCode{17900000, 21400000, 21700000, 14575000,
                                                          45000000};
// Channel step by the code in bits 3-4 of SynthModeByte.
inline constexpr std::array<std::uint32_t, 4> kStepHzByCode{2500, 6250, 7500, 12500};
// Reference oscillator by the code in bits 6-7 of SynthRefByte.
inline constexpr std::array<std::uint32_t, 4> kRefHzByCode{12800000, 20950000, 16800000, 22275000};

// Mode bytes from this value up carry no intermediate-frequency code.
inline constexpr std::uint8_t kModeByteWithoutIf = 0xA0;

// Field positions inside the bytes.
inline constexpr int kModeIfShift = 5;
inline constexpr int kModeStepShift = 3;
inline constexpr std::uint8_t kModeStepMask = 0x03;
inline constexpr std::uint8_t kModeMultMask = 0x07;
inline constexpr int kRefCodeShift = 6;
inline constexpr int kRefTypeShift = 4;
inline constexpr std::uint8_t kRefTypeMask = 0x03;
inline constexpr std::uint8_t kSearchFlagsMask = 0x03;
inline constexpr std::uint8_t kBandSideMask = 0x03;
inline constexpr std::uint8_t kBandFs8308Bit = 0x04;  // 1 KB family only
inline constexpr int kBandIndexShift = 3;
inline constexpr std::uint8_t kBandIndexMask = 0x0F;

// Injection sides. Anything stored other than high side reads as low side.
inline constexpr int kLowSide = 1;   // carrier = LO + IF
inline constexpr int kHighSide = 2;  // carrier = LO - IF

// Bit values of the search flags.
inline constexpr std::uint8_t kFlagAbove = 0x01;  // synthesized frequency above the requested one
inline constexpr std::uint8_t kFlagExact = 0x02;  // synthesized frequency equals the requested one

// How a chip packs its dividers into the two 24-bit register words:
//   N word = N << nShift
//   R word = (R << rShift) + rControl
// The chip's prescaler divides the reference before R, so a stored R word
// reads back as the total reference division R x prescaler.
struct RegisterFormat {
  int prescaler;
  int nShift;
  int rShift;
  int rBits;               // width of the R field above rShift (control bits above it excluded)
  std::uint32_t rControl;  // fixed control bits the chip expects in the R word
};

inline constexpr std::array<RegisterFormat, kSynthTypeCount> kRegisterFormats{{
    {8, 1, 4, 20, 0x00001},  // HI8107
    {1, 1, 1, 15, 0x10001},  // MB15E03
    {4, 7, 8, 16, 0x00011},  // NPC5170
    {8, 1, 4, 20, 0x00001},  // FS8107 / FS8108
    {8, 1, 4, 20, 0x00001},  // FS8308
}};

inline constexpr int kSynthWordBits = 24;

// The register format of a type index; unknown indexes use the HI8107 format.
const RegisterFormat& RegisterFormatOf(int type);

// Reverse lookups for the encode: the code of a value, or nothing when the
// value has no code of its own.
std::optional<std::uint8_t> IfCodeOf(std::uint32_t ifHz);
std::optional<std::uint8_t> StepCodeOf(std::uint32_t stepHz);
std::optional<std::uint8_t> RefCodeOf(std::uint32_t refHz);

// The injection side that bits 0-1 of a band byte (or of SynthHwByte) describe.
inline constexpr int SideOfBits(std::uint8_t bits) {
  return (bits & kBandSideMask) == kHighSide ? kHighSide : kLowSide;
}

}  // namespace rer
