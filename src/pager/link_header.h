#pragma once
// The operations the link engines run and the 8-byte command header that
// opens each of them: mode byte, command byte, address (high byte first),
// two zero bytes, byte count (high byte first).

#include <array>
#include <cstdint>

#include "pager/link_state.h"

namespace rer {

// Operation numbers shared by the sequences and the engines.
inline constexpr int opReadCodeplug = 258;
inline constexpr int opWriteCodeplug = 259;
inline constexpr int opReceiverOn = 260;
inline constexpr int opQueryStatus = 262;
inline constexpr int opSetClock = 273;
inline constexpr int opIdentify = 277;

inline constexpr std::size_t kHeaderLength = 8;
using CommandHeader = std::array<std::uint8_t, kHeaderLength>;

// The header of `operation` for the pager described by `state` (its family
// from ModelCode, its firmware flags for the clock address).
CommandHeader BuildHeader(int operation, const LinkState& state);

// True for the seven model codes the link accepts.
bool IsKnownModelCode(std::uint8_t modelCode);
// Codeplug image length of the model's family (4096 for any unknown code).
std::size_t ImageLengthOfModel(std::uint8_t modelCode);

}  // namespace rer
