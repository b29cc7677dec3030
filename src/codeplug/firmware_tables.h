#pragma once
// Fixed data the pager firmware needs in the codeplug. The program copies
// these bytes as they are and interprets none of them.
//
// Every table is written once, in the hexadecimal listing the firmware
// releases give, and built at compile time by the helpers below. `Hex<N>`
// refuses to compile unless the listing holds exactly N bytes, so each
// table is checked against its stated length where it is written.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace rer {

namespace byte_table {

template <std::size_t N>
using Bytes = std::array<std::uint8_t, N>;

consteval int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  throw "not a hexadecimal digit";
}

// Bytes written as two-digit hexadecimal numbers separated by blanks. Fails
// to compile when the text does not hold exactly N of them.
template <std::size_t N, std::size_t TextSize>
consteval Bytes<N> Hex(const char (&text)[TextSize]) {
  Bytes<N> out{};
  std::size_t count = 0;
  std::size_t i = 0;
  const std::size_t length = TextSize - 1;  // without the closing NUL
  while (i < length) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    if (i + 1 >= length || count >= N) throw "listing longer than its stated length";
    out[count++] =
        static_cast<std::uint8_t>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
    i += 2;
    if (i < length && text[i] != ' ') throw "bytes must be separated by blanks";
  }
  if (count != N) throw "listing shorter than its stated length";
  return out;
}

// The pieces one after the other.
template <std::size_t... Ns>
consteval Bytes<(Ns + ...)> Join(const Bytes<Ns>&... pieces) {
  Bytes<(Ns + ...)> out{};
  std::size_t at = 0;
  ((std::copy(pieces.begin(), pieces.end(), out.begin() + at), at += Ns), ...);
  return out;
}

// `unit` written `Times` times over.
template <std::size_t Times, std::size_t N>
consteval Bytes<Times * N> Repeat(const Bytes<N>& unit) {
  Bytes<Times * N> out{};
  for (std::size_t t = 0; t < Times; ++t) std::copy(unit.begin(), unit.end(), out.begin() + t * N);
  return out;
}

// N copies of one byte.
template <std::size_t N>
consteval Bytes<N> Filled(std::uint8_t value) {
  Bytes<N> out{};
  out.fill(value);
  return out;
}

// `base` with `piece` written over it from `at` on.
template <std::size_t N, std::size_t K>
consteval Bytes<N> Overlay(Bytes<N> base, std::size_t at, const Bytes<K>& piece) {
  if (at + K > N) throw "overlay beyond the end of the table";
  std::copy(piece.begin(), piece.end(), base.begin() + at);
  return base;
}

// The first K bytes of `table`.
template <std::size_t K, std::size_t N>
consteval Bytes<K> Head(const Bytes<N>& table) {
  static_assert(K <= N);
  Bytes<K> out{};
  std::copy(table.begin(), table.begin() + K, out.begin());
  return out;
}

}  // namespace byte_table

// ---- Factory data ----

// Firmware area 0x25A-0x295 as the factory leaves it: a header, thirteen
// blank channel triples, then the firmware's own constants.
inline constexpr auto kD60 = byte_table::Join(
    byte_table::Hex<3>("FE FF 11"), byte_table::Repeat<13>(byte_table::Hex<3>("B3 07 00")),
    byte_table::Hex<18>("03 81 02 F4 64 02 03 02 4C 08 A8 00 00 00 00 27 27 F5"));
static_assert(kD60.size() == 60);

// Receiver constants at 0x2C6 written with the defaults.
inline constexpr auto kD7 = byte_table::Hex<7>("96 1C 16 08 AB 12 44");

// The closing record (record 40) of the system record table.
inline constexpr auto kR40 = byte_table::Hex<4>("02 00 00 41");

// Four factory bytes at 0x296 written with the defaults.
inline constexpr auto kFactoryConstantBytes = byte_table::Hex<4>("18 8F 10 A0");

// Bytes 0x25A-0x285 of a pager that has never been decoded in this run. Only
// the part from 0x25D on (the carried region) is ever written back.
inline constexpr auto kFactoryCarriedArea = byte_table::Join(
    byte_table::Hex<3>("21 21 00"), byte_table::Repeat<13>(byte_table::Hex<3>("B3 07 00")),
    byte_table::Hex<2>("03 81"));
static_assert(kFactoryCarriedArea.size() == 44);
// How many leading bytes of kFactoryCarriedArea lie before the carried region.
inline constexpr std::size_t kFactoryCarriedAreaLead = 3;

// ---- Model blocks of the 4 KB family (0x107-0x138) ----

inline constexpr std::size_t kModelTableLength = 50;

// The firmware listing of this block gives eighteen zero bytes in the middle,
// which would make it 52 bytes long and push the closing AE AF (the last two
// bytes of every model block) out of the 50-byte block. Sixteen zeros keep
// the block at its length with AE AF at its end, as in M88 and MD0.
inline constexpr auto kM84 =
    byte_table::Join(byte_table::Hex<18>("84 10 2B 2D 33 68 38 6D 31 71 71 71 2F 23 20 3D 7F 29"),
                     byte_table::Filled<16>(0x00),
                     byte_table::Hex<16>("80 00 00 66 62 60 64 2C 2D 00 00 00 00 00 AE AF"));
static_assert(kM84.size() == kModelTableLength);

inline constexpr auto kM88 = byte_table::Join(
    byte_table::Hex<12>("88 0A E2 2F E6 C3 E4 A3 24 A1 CF AF"), byte_table::Filled<14>(0x00),
    byte_table::Hex<24>("21 81 0C 1B 0C A4 A5 B0 10 00 B8 03 01 00 02 00 00 00 00 00 00 00 AE AF"));
static_assert(kM88.size() == kModelTableLength);

// The same block as M88 for the newest models, only the model byte differs.
inline constexpr auto kMD0 = byte_table::Overlay(kM88, 0, byte_table::Hex<1>("D0"));
static_assert(kMD0.size() == kModelTableLength);

// ---- Channel tables and code patches of the firmware releases ----

inline constexpr auto kT57 = byte_table::Join(
    byte_table::Hex<21>("B3 07 00 B4 07 00 B3 07 00 B3 07 00 B3 07 00 C1 07 00 F2 07 00"),
    byte_table::Repeat<6>(byte_table::Hex<3>("B3 07 00")));
static_assert(kT57.size() == 39);

inline constexpr auto kT58 = byte_table::Join(
    byte_table::Repeat<12>(byte_table::Hex<3>("B3 07 00")), byte_table::Hex<3>("00 00 00"));
static_assert(kT58.size() == 39);

inline constexpr auto kT59 = byte_table::Repeat<20>(byte_table::Hex<2>("69 05"));
static_assert(kT59.size() == 40);

// T57 with its eleventh triple replaced.
inline constexpr std::size_t kT60ChangedTriple = 11;
inline constexpr auto kT60 =
    byte_table::Overlay(kT57, (kT60ChangedTriple - 1) * 3, byte_table::Hex<3>("15 06 00"));
static_assert(kT60.size() == 39);

inline constexpr auto kT61 = byte_table::Hex<13>("75 CF FE 0D BE 93 75 CF 00 0E 0E 00 F3");

inline constexpr auto kT62 = byte_table::Hex<49>(
    "7E BF 43 1F 68 2B C0 FF 1B 0C FF 27 6A 23 72 FF 1B 0C FF 27 EB 65 75 4F 06 00 FD 00 AC 0E "
    "FD D4 74 0F 7E 9F 50 00 75 DF 06 00 7E 8F 50 00 EB 64 F3");

inline constexpr auto kT63 = byte_table::Hex<5>("7E 9F 76 B2 F3");

inline constexpr auto kT70 =
    byte_table::Hex<18>("7E BF 6E 1F 7E 2F 43 1F 00 7E 2F 53 1F F8 B7 FD 03 F3");

// ---- Patches of the R0501 builds ----

// For the first build: a code block and two word pairs.
struct VariantPatchV1 {
  byte_table::Bytes<25> block;
  byte_table::Bytes<2> pairA;
  byte_table::Bytes<2> pairB;
};

inline constexpr VariantPatchV1 kV1{
    byte_table::Hex<25>(
        "77 8F 7E 1C 9A 16 6E 11 77 8F 80 1C 0E 00 6E 09 D9 0F B6 1C 7E 8F A2 1F F3"),
    byte_table::Hex<2>("6A 05"),
    byte_table::Hex<2>("82 05"),
};

// For every build: a code block and three word pairs.
struct VariantPatchV2 {
  byte_table::Bytes<134> block;
  byte_table::Bytes<2> pairA;
  byte_table::Bytes<2> pairB;
  byte_table::Bytes<2> pairC;
};

inline constexpr VariantPatchV2 kV2{
    byte_table::Hex<134>(
        "D0 76 0F 0D 18 04 6E 0B D9 0F C0 2B D9 0F C2 2B FE 74 D1 0F C2 2B 6C 11 69 07 D1 2F C0 2B "
        "6D 09 D9 0F C0 2B D9 0F C2 2B D1 1F C0 2B 6E 54 A2 58 04 B7 0E 00 7E BF 82 1F 68 FB 7E 8F "
        "60 1F D9 05 72 60 03 A2 03 D1 05 6A 05 88 0D 0D 18 7E BF 2B 1D 6A FB 0B A6 03 C9 14 C9 15 "
        "D1 45 6E E3 7E 9F 60 1F EB 64 7E BF 82 1F 6A FB 77 84 F8 04 6C C2 7E BF 82 1F 68 FB EB 72 "
        "7B C0 7A F0 C6 01 10 EB 73 C9 1F C0 2B F3"),
    byte_table::Hex<2>("7B 12"),
    byte_table::Hex<2>("7A 12"),
    byte_table::Hex<2>("FF 12"),
};

}  // namespace rer
