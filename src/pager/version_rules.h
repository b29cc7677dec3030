#pragma once
// What the pager's firmware version and the codeplug's stored version change
// in the device operations, in one place, so that the link, the sequences and
// the encoder agree.

#include <cstdint>
#include <string>
#include <string_view>

#include "codeplug/codeplug_image.h"
#include "codeplug/codeplug_version.h"
#include "codeplug/firmware_flags.h"
#include "core/result_codes.h"

namespace rer {

// ---- Codeplug version ----

// The version stored in `image`, read through the family of `modelCode`
// (both families keep it in the same place).
CodeplugVersion StoredCodeplugVersion(const CodeplugImage& image, std::uint8_t modelCode);

// True when (major, minor, patch) is above the version this program writes.
bool IsNewerThanProgram(const CodeplugVersion& version);

// Major, minor and patch as two digits each: 0-9 as "0" and the digit,
// 10-15 as "1" and the digit of (field - 10). 4.10.1 gives "041001".
std::string CodeplugVersionDigits(const CodeplugVersion& version);

// The check after every image read: 0, or -93 when the codeplug in `image`
// is newer than this program.
int CheckCodeplugVersionAfterRead(const CodeplugImage& image, std::uint8_t modelCode);

// True when the codeplug in `image` asks for its local password before it
// may be edited: bit 2 of option byte 1 for the 1 KB family; for the 4 KB
// family bit 2 when the stored version is above 4.6.4, else bit 0. Codes of
// neither family never ask.
bool LocalPasswordRequired(const CodeplugImage& image, std::uint8_t modelCode);

// ---- Firmware ----

// Whether the firmware may be programmed with a codeplug of the model's
// family: 0, -7 (too old), or -32 (a 1 KB pager of model 0x80 with none of
// R0402, R0404, R0406).
int FirmwareProgrammingCheck(const FirmwareFlags& flags, std::uint8_t modelCode);

// The model byte a 1 KB write carries for the firmware generation: 0x81 for
// R0402, 0x89 for R0404, 0xC0 for R0406 (the latest wins); 0 when none.
std::uint8_t ModelByteForFirmware1K(const FirmwareFlags& flags);

// The two oldest firmware releases need the receiver switched on a second
// time after a write.
bool NeedsSecondReceiverOn(std::string_view firmwareVersion);

}  // namespace rer
