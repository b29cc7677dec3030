#include "codeplug/firmware_patches.h"

#include <algorithm>
#include <array>

#include "codeplug/firmware_tables.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_codes.h"
#include "codeplug/layout_table.h"
#include "core/serial_series.h"

namespace rer {
namespace {

// What a patch condition may look at.
struct PatchContext {
  const FirmwareFlags& flags;
  std::string_view serialNumber;
  bool savingToFile;
};

using PatchCondition = bool (*)(const PatchContext&);

// One write of a patch: the inclusive range [first, last] of image offsets is
// filled with one byte, or copied from a table of exactly its length.
struct PatchWrite {
  std::uint16_t first;
  std::uint16_t last;
  std::span<const std::uint8_t> source;  // empty: fill with `fill`
  std::uint8_t fill;

  constexpr std::size_t Length() const { return std::size_t{last} - first + 1u; }
};

constexpr PatchWrite Fill(std::uint16_t first, std::uint16_t last, std::uint8_t value) {
  return {first, last, {}, value};
}

constexpr PatchWrite Copy(std::uint16_t first, std::uint16_t last,
                          std::span<const std::uint8_t> source) {
  return {first, last, source, 0};
}

struct FirmwarePatch {
  PatchCondition applies;
  std::span<const PatchWrite> writes;
};

constexpr std::uint8_t kBlankCode = 0xF3;  // the firmware's filler for unused code space
constexpr std::uint8_t kModelBlockBlank = 0xFF;

// ---- 1 KB family ----

// Channel table of the firmware area and the code space at the image's end.
constexpr std::uint16_t kChannelTable1KFirst = 0x25D;
constexpr std::uint16_t kChannelTable1KLast = 0x283;
constexpr std::uint16_t kCodeSpace1KFirst = 0x3B3;
constexpr std::uint16_t kCodeSpace1KLast = 0x3FF;

constexpr PatchWrite kBlank1K[] = {
    Fill(kChannelTable1KFirst, kChannelTable1KLast, kBlankCode),
    Fill(kCodeSpace1KFirst, kCodeSpace1KLast, kBlankCode),
};
constexpr PatchWrite kR0404OrR0406Patch[] = {
    Copy(kChannelTable1KFirst, kChannelTable1KLast, kT58),
    Fill(kCodeSpace1KFirst, kCodeSpace1KLast, kBlankCode),
};
constexpr PatchWrite kLaterFirmwarePatch1K[] = {
    Fill(kCodeSpace1KFirst, 0x3E3, kBlankCode),
};
constexpr PatchWrite kR0402Patch[] = {
    Copy(kChannelTable1KFirst, kChannelTable1KLast, kT57),
    Fill(kCodeSpace1KFirst, kCodeSpace1KLast, kBlankCode),
    Copy(0x3B4, 0x3C0, kT61),
    Copy(0x3C1, 0x3F1, kT62),
    Copy(0x3F2, 0x3F6, kT63),
};
constexpr PatchWrite kR0402SpecialPatch[] = {
    Copy(kChannelTable1KFirst, kChannelTable1KLast, kT60),
    Copy(0x215, 0x226, kT70),
};

constexpr FirmwarePatch kPatches1K[] = {
    {[](const PatchContext&) { return true; }, kBlank1K},
    {[](const PatchContext& c) { return c.flags.AnyR0404Or0406(); }, kR0404OrR0406Patch},
    {[](const PatchContext& c) { return c.flags.AnyR0407To0502(); }, kLaterFirmwarePatch1K},
    {[](const PatchContext& c) { return c.flags.R0402; }, kR0402Patch},
    {[](const PatchContext& c) { return IsR0402SpecialModel(c.flags, c.serialNumber); },
     kR0402SpecialPatch},
};

// ---- 4 KB family ----

constexpr std::uint16_t kModelBlockFirst = 0x107;
constexpr std::uint16_t kModelBlockLast = 0x138;
constexpr std::uint16_t kChannelTable4KFirst = 0x25D;

constexpr auto kTwelveBlankChannels = byte_table::Repeat<12>(byte_table::Hex<3>("69 05 00"));
constexpr auto kT59Head = byte_table::Head<20>(kT59);
constexpr auto kTwoBlankChannels = byte_table::Hex<4>("69 05 69 05");

constexpr PatchWrite kBlankModelBlock[] = {
    Fill(kModelBlockFirst, kModelBlockLast, kModelBlockBlank),
};
constexpr PatchWrite kLaterFirmwarePatch4K[] = {
    Fill(kModelBlockFirst, 0x137, kBlankCode),
    Fill(0x166, 0x168, 0x00),
};
constexpr PatchWrite kR0407ToR0409Patch[] = {
    Fill(0x169, 0x221, kBlankCode),
    Copy(kChannelTable4KFirst, 0x280, kTwelveBlankChannels),
    Fill(0x281, 0x285, kBlankCode),
};
constexpr PatchWrite kR0501OrR0502Patch[] = {
    Fill(kChannelTable4KFirst, kChannelTable4KFirst, 0xD0),
    Copy(0x25E, 0x285, kT59),
    Fill(0x169, 0x204, kBlankCode),
    Fill(0x205, 0x205, 0xD0),
    Copy(0x206, 0x219, kT59Head),
    Copy(0x21A, 0x21D, kTwoBlankChannels),
    Fill(0x21E, 0x223, 0x00),
};
constexpr PatchWrite kVariant1Patch[] = {
    Copy(0x16A, 0x182, kV1.block),
    Copy(0x272, 0x273, kV1.pairA),
    Copy(0x21C, 0x21D, kV1.pairB),
};
constexpr PatchWrite kAnyVariantPatch[] = {
    Copy(0xE7A, 0xEFF, kV2.block),
    Copy(0x280, 0x281, kV2.pairA),
    Copy(0x21E, 0x21F, kV2.pairB),
    Copy(0x220, 0x221, kV2.pairC),
};

constexpr FirmwarePatch kPatches4K[] = {
    {[](const PatchContext&) { return true; }, kBlankModelBlock},
    {[](const PatchContext& c) { return c.flags.AnyR0407To0502(); }, kLaterFirmwarePatch4K},
    {[](const PatchContext& c) { return c.flags.AnyR0407To0409(); }, kR0407ToR0409Patch},
    {[](const PatchContext& c) { return c.flags.AnyR0501Or0502(); }, kR0501OrR0502Patch},
    // The build patches only go straight into a pager; a file may later be
    // programmed into a pager of another build.
    {[](const PatchContext& c) { return !c.savingToFile && c.flags.Variant1R0501; },
     kVariant1Patch},
    {[](const PatchContext& c) { return !c.savingToFile && c.flags.AnyVariantR0501(); },
     kAnyVariantPatch},
};

constexpr bool PatchesFit(std::span<const FirmwarePatch> patches, std::size_t imageLength) {
  for (const FirmwarePatch& patch : patches) {
    for (const PatchWrite& write : patch.writes) {
      if (write.first > write.last || write.last >= imageLength) return false;
      if (!write.source.empty() && write.source.size() != write.Length()) return false;
    }
  }
  return true;
}
static_assert(PatchesFit(kPatches1K, 1024), "a 1 KB patch does not fit its range");
static_assert(PatchesFit(kPatches4K, 4096), "a 4 KB patch does not fit its range");

void ApplyPatches(CodeplugImage& image, std::span<const FirmwarePatch> patches,
                  const PatchContext& context) {
  const auto bytes = image.Bytes();
  for (const FirmwarePatch& patch : patches) {
    if (!patch.applies(context)) continue;
    for (const PatchWrite& write : patch.writes) {
      const auto target = bytes.subspan(write.first, write.Length());
      if (write.source.empty()) {
        std::fill(target.begin(), target.end(), write.fill);
      } else {
        std::copy(write.source.begin(), write.source.end(), target.begin());
      }
    }
  }
}

// ---- Factory defaults ----

// D60 runs over these fields, which follow one another in the image.
constexpr Field kD60Fields[] = {Field::kFirmwareHeader, Field::kCarriedRegion,
                                Field::kFirmwareData};

// ---- Sub-model rules ----

struct SubModelRule {
  PatchCondition applies;
  std::uint8_t value;
};

// Tried in order; a later rule that applies overwrites an earlier one.
constexpr SubModelRule kSubModelRules4K[] = {
    {[](const PatchContext& c) { return c.flags.R0501 && IsNewSecure4KSeries(c.serialNumber); },
     kSubModelNewSecureStandard4K},
    {[](const PatchContext& c) { return c.flags.R0501 && IsNew4KSeries(c.serialNumber); },
     kSubModelNewStandard4K},
    {[](const PatchContext& c) { return c.flags.AnyR0407To0409(); }, kSubModelSecureStandard4K},
};

}  // namespace

void WriteFirmwareAreaD60(CodeplugImage& image, PagerFamily family) {
  const Layout layout(family);
  ImageFields fields(image, layout);
  std::span<const std::uint8_t> rest = kD60;
  for (Field field : kD60Fields) {
    const std::size_t size = std::min(fields.Size(field), rest.size());
    fields.SetBytes(field, rest.first(size));
    rest = rest.subspan(size);
  }
}

void ApplyFactoryDefaults(CodeplugImage& image, PagerFamily family) {
  const Layout layout(family);
  ImageFields fields(image, layout);
  // The single default values are layout data; the factory blocks follow.
  WriteFixedBytes(fields, DefaultsBytes());
  WriteFirmwareAreaD60(image, family);
  fields.SetBytes(Field::kFactoryConstants, kFactoryConstantBytes);
  fields.SetBytes(Field::kFactoryReceiver, kD7);
  if (family == PagerFamily::k1K) fields.SetByte(Field::kSubModel, kSubModelFactoryDefault1K);
}

bool IsR0402SpecialModel(const FirmwareFlags& flags, std::string_view serialNumber) {
  return flags.R0402 && IsSmallPromptSeries(serialNumber);
}

void ApplyFirmwarePatches1K(CodeplugImage& image, const FirmwareFlags& flags,
                            std::string_view serialNumber) {
  ApplyPatches(image, kPatches1K, PatchContext{flags, serialNumber, false});
}

std::span<const std::uint8_t> ModelTableFor(std::uint8_t modelCode) {
  switch (modelCode) {
    case 0x84:
      return kM84;
    case 0x88:
      return kM88;
    case 0xD0:
    case 0xD1:
      return kMD0;
    default:
      return {};
  }
}

void ApplyFirmwarePatches4K(CodeplugImage& image, const FirmwareFlags& flags,
                            std::uint8_t modelCode, bool savingToFile) {
  ApplyPatches(image, kPatches4K, PatchContext{flags, {}, savingToFile});
  const auto table = ModelTableFor(modelCode);
  if (table.empty()) return;
  const Layout layout(PagerFamily::k4K);
  ImageFields(image, layout).SetBytes(Field::kModelBlock, table);
}

void ApplySubModel4K(CodeplugImage& image, const FirmwareFlags& flags,
                     std::string_view serialNumber) {
  const Layout layout(PagerFamily::k4K);
  ImageFields fields(image, layout);
  const PatchContext context{flags, serialNumber, false};
  for (const SubModelRule& rule : kSubModelRules4K) {
    if (rule.applies(context)) fields.SetByte(Field::kSubModel, rule.value);
  }
}

void ApplyLegacyFirmwareFlag1K(CodeplugImage& image, const FirmwareFlags& flags,
                               int pagerSubModel) {
  if (!flags.R0404 && !(flags.R0406 && pagerSubModel == kPagerSubModelOneMessage1K)) return;
  const Layout layout(PagerFamily::k1K);
  ImageFields(image, layout).SetByte(Field::kLegacyFirmwareFlag, 1);
}

}  // namespace rer
