#pragma once
// The system record table: 41 four-byte records that tell the receiver how
// to decode the paging channel. Byte 0 of each record is its number.
//
// This file writes the records with fixed contents (0 to 14 and 40) and the
// frame-map records (15 to 22). Records 23 to 39, the address enable mask
// and the address slots, belong to the address codec.

#include <array>
#include <cstddef>
#include <cstdint>

#include "codeplug/codeplug_image.h"
#include "codeplug/layout_table.h"

namespace rer {

// The `cb_RF_Timing` items, in list order.
enum class RfTiming : int { k70ms = 0, k25ms = 1 };

// One bit per paging frame 0-127: frame f is bit (f mod 8) of byte
// 15 - (f div 8).
inline constexpr std::size_t kFrameMapLength = 16;
using FrameMap = std::array<std::uint8_t, kFrameMapLength>;

// Writes records 0 to 14 and record 40 in the family in force. Record 0 is
// 01 00 d 98 with d = 00 when data inversion is on and 03 when it is off,
// whatever the timing; the RF timing gives the last bytes of records 3 to 5.
// Does nothing while no family is in force.
void WriteSystemRecords(CodeplugImage& image, const Layout& layout, bool dataInversion,
                        RfTiming timing);

// Writes records 15 to 22: record 15 + k holds 20+k, 00 and frame-map bytes
// 2k and 2k + 1.
void WriteFrameMapRecords(CodeplugImage& image, const Layout& layout, const FrameMap& frameMap);

// Data inversion as record 0 stores it: on when bit 1 of its byte 2 is clear.
bool DataInversionOn(const CodeplugImage& image, const Layout& layout);

}  // namespace rer
