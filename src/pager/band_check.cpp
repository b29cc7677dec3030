#include "pager/band_check.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/result_codes.h"
#include "synth/frequency_band.h"
#include "synth/frequency_text.h"

namespace rer {
namespace {

inline constexpr std::int64_t kHzPerMHz = 1000000;

// The whole-megahertz range each item of the band list accepts. Bands without a receiver range
// accept nothing.
struct BandRange {
  std::string_view item;
  bool programmable;
  std::int64_t lowMHz;
  std::int64_t highMHz;
};

constexpr std::array<BandRange, 7> kBandRanges = {{
    {"VHF D Band", false, 0, 0},
    {"VHF A Band", true, 143, 152},
    {"VHF B Band", true, 152, 163},
    {"VHF C Band", true, 163, 173},
    {"UHF A Band", false, 0, 0},
    {"UHF B Band", false, 0, 0},
    {"900 MHz", true, 929, 931},
}};

// The range of the list item, found by the item's text so that the table
// cannot drift from the list; nullptr for no selection.
const BandRange* BandOfItem(int bandItem) {
  const auto items = RowOf(Control::cb_freqBand).items;
  if (bandItem < 0 || bandItem >= static_cast<int>(items.size())) return nullptr;
  const std::string_view text = items[static_cast<std::size_t>(bandItem)];
  for (const BandRange& band : kBandRanges) {
    if (band.item == text) return &band;
  }
  return nullptr;
}

}  // namespace

int CheckFrequencyBand(std::string_view frequencyText, int bandItem) {
  const std::optional<std::uint32_t> hz = HzOfFrequencyText(frequencyText);
  if (!hz || BandOfFrequency(*hz) == kFrequencyNotSynthesizable) return kFrequencyOutOfBand;
  const BandRange* band = BandOfItem(bandItem);
  if (band == nullptr || !band->programmable) return kFrequencyOutOfBand;
  const std::int64_t mhz = static_cast<std::int64_t>(*hz) / kHzPerMHz;
  if (mhz < band->lowMHz || mhz > band->highMHz) return kFrequencyOutOfBand;
  return 0;
}

int CheckFrequencyBand(const EditorSettings& settings) {
  return CheckFrequencyBand(settings.Text(Control::ed_frequency),
                            settings.Item(Control::cb_freqBand));
}

int RunBandCheck(const EditorSettings& settings, UserInterface& ui) {
  const int result = CheckFrequencyBand(settings);
  if (result != 0) ui.ShowError(result);
  return result;
}

}  // namespace rer
