#pragma once
// Writing the pager firmware's fixed data into a codeplug image: the factory
// defaults, the patches each firmware release needs, the model block of the
// 4 KB family and the firmware-driven sub-model bytes.
//
// Every function here writes only the bytes its rule names; the rest of the
// image keeps its contents. The encode step calls them at its fixed points.

#include <cstdint>
#include <span>
#include <string_view>

#include "codeplug/codeplug_image.h"
#include "codeplug/firmware_flags.h"
#include "codeplug/pager_family.h"

namespace rer {

// Sub-model byte values written for firmware reasons.
inline constexpr std::uint8_t kSubModelFactoryDefault1K = 30;
inline constexpr std::uint8_t kSubModelNewStandard4K = 21;         // 0x15
inline constexpr std::uint8_t kSubModelSecureStandard4K = 133;     // 0x85
inline constexpr std::uint8_t kSubModelNewSecureStandard4K = 149;  // 0x95
// The 1 KB sub-model whose R0406 firmware wants the legacy flag.
inline constexpr int kPagerSubModelOneMessage1K = 34;

// The firmware area 0x25A-0x295 from D60 (the 1 KB family writes it on
// every encode, both families when the defaults have been applied).
void WriteFirmwareAreaD60(CodeplugImage& image, PagerFamily family);

// The bytes written when the editor's defaults have been applied: printer
// code, factory timing and level bytes, the firmware area from D60, the
// factory constants, the receiver constants D7, and zero in the feature
// spare, language, silent-RF, ROM code and service adjustment bytes; in the
// 1 KB family also sub-model 30. The caller clears its defaults mark and
// switches the error-message detection setting on.
void ApplyFactoryDefaults(CodeplugImage& image, PagerFamily family);

// The firmware patches of a 1 KB image, in their fixed order. The special
// R0402 units (told by their serial number, the early series with the small
// prompt memory) get their own channel table and a code patch at the end of
// the prompt area.
void ApplyFirmwarePatches1K(CodeplugImage& image, const FirmwareFlags& flags,
                            std::string_view serialNumber);

// The model block and patches of a 4 KB image: the block is first filled
// with 0xFF, then the release patches follow, then the R0501 build patches
// (left out while saving to a file, since a file may be programmed into
// another build), and last the model block of `modelCode`. A model code
// outside the 4 KB family gets no model block.
void ApplyFirmwarePatches4K(CodeplugImage& image, const FirmwareFlags& flags,
                            std::uint8_t modelCode, bool savingToFile);

// The 50-byte model table of a 4 KB model code (0xD1 shares the table of
// 0xD0); empty for any other code.
std::span<const std::uint8_t> ModelTableFor(std::uint8_t modelCode);

// True for the R0402 units whose serial number marks the early series.
bool IsR0402SpecialModel(const FirmwareFlags& flags, std::string_view serialNumber);

// The 4 KB sub-model byte as the firmware wants it: with R0501 the serial
// number picks the new secure standard or the new standard model; R0407 to
// R0409 always mean the secure standard model and win over the others.
// Without a matching rule the byte keeps its value.
void ApplySubModel4K(CodeplugImage& image, const FirmwareFlags& flags,
                     std::string_view serialNumber);

// The 1 KB legacy firmware flag: set to 1 for R0404, or for R0406 on a pager
// of sub-model 34; otherwise it keeps its value.
void ApplyLegacyFirmwareFlag1K(CodeplugImage& image, const FirmwareFlags& flags, int pagerSubModel);

}  // namespace rer
