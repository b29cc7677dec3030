#pragma once
// What the pager link has learnt about the pager in the cradle. One record
// lives for the whole run of the program; the engines write it, the read and
// program sequences, the codec, the pages and the file format read it. Every
// field keeps its value between operations until an operation overwrites it.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codeplug/firmware_flags.h"
#include "comm/transport.h"
#include "core/cgrom_kind.h"

namespace rer {

// ModelCode when no pager information is held.
inline constexpr std::uint8_t kNoPagerInformation = 0xFF;
// AttemptsLeft when the pager reported no count.
inline constexpr int kAttemptsNotReported = 8;
inline constexpr std::size_t kPagerPasswordLength = 10;
inline constexpr std::size_t kIdentityReplyLength = 15;
inline constexpr std::size_t kSerialReplyLength = 20;
inline constexpr std::size_t kSerialNumberLength = 10;
inline constexpr std::size_t kCgromReplyLength = 2;

// Status letters the pager answers with.
inline constexpr std::uint8_t kStatusBadData = 'B';
inline constexpr std::uint8_t kStatusDownloadDisabled = 'D';
inline constexpr std::uint8_t kStatusNormal = 'N';
inline constexpr std::uint8_t kStatusOk = 'O';
inline constexpr std::uint8_t kStatusUnprogrammed = 'U';
inline constexpr std::uint8_t kStatusPasswordProtected = 'Y';

// The firmware flags (R0402 ... Variant3R0501) are those of the shared
// record, each set when its release is named in FirmwareVersion.
struct LinkState : FirmwareFlags {
  std::uint8_t ModelCode = kNoPagerInformation;
  std::uint16_t ModelWord = 0;
  std::string FirmwareVersion;  // six characters, e.g. " R0501"

  std::string SerialNumber;  // ten characters
  int CgromType = kCgromNone;
  std::string CannedRangeStart;  // four hexadecimal digits
  std::string CannedRangeEnd;
  std::uint8_t MemoryByte = 0;
  bool LargeMemory = false;
  std::uint8_t StatusReply = 0;  // 0: the pager has not been asked yet
  bool ExtendedReply = false;
  bool PasswordAsked = false;
  bool PagerPasswordPrompted = false;
  bool Unprogrammed = false;
  int AttemptsLeft = kAttemptsNotReported;
  // The access password as it goes on the line: padded and scrambled.
  std::array<std::uint8_t, kPagerPasswordLength> PagerPassword{};
  bool ReadBeforeProgram = false;

  // The speed agreed for the next handshake (a wake code).
  std::uint8_t LinkSpeedCode = kSpeed4800;
};

// Which flags a reading of the identity reply may change.
enum class IdentityScope {
  kAll,            // every firmware flag and every variant flag
  kFirstVariant,   // every firmware flag, of the variants only the first
  kEarlyFirmware,  // only R0402, R0403, R0404, R0406; variants untouched
};

// Takes ModelWord (from ModelCode), FirmwareVersion and the flags from the
// 15-byte identity reply.
void ApplyIdentityReply(LinkState& state, std::span<const std::uint8_t> reply, IdentityScope scope);

// Names of the firmware and variant flags that are set, in table order
// ("R0402" ... "R0502", then "Variant1R0501" ...).
std::vector<std::string> SetFirmwareFlagNames(const LinkState& state);

// Takes CgromType, and the canned range of the Chinese generators, from the
// 2-byte character generator reply.
void ApplyCgromReply(LinkState& state, std::span<const std::uint8_t> reply);

// Fills PagerPassword from the text the user typed: upper case, padded with
// blanks (or cut) to ten characters, scrambled.
void SetPagerPasswordText(LinkState& state, const std::string& typed);

}  // namespace rer
