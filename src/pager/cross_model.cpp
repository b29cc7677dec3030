#include "pager/cross_model.h"

#include <array>

namespace rer {
namespace {

constexpr std::uint8_t kOptionBitsMask = 0xC0;  // bits 6 and 7

constexpr std::uint8_t kModel81 = 0x81;
constexpr std::uint8_t kModel89 = 0x89;
constexpr std::uint8_t kModelC0 = 0xC0;
constexpr int kSubModel17 = 17;
constexpr int kSubModel34 = 34;

// The pager columns of the table.
enum PagerColumn { kPager81, kPager89, kPagerSub17, kPagerSub34, kPagerOther, kColumns };

// One row per kind of codeplug; a codeplug of any other kind is "none" in
// every column.
struct CrossModelRow {
  std::uint8_t model;
  int subModel;  // 0: any
  std::array<OptionBitsSource, kColumns> sources;
};

using S = OptionBitsSource;
constexpr std::array<CrossModelRow, 4> kCrossModelTable = {{
    {kModel81, 0, {S::kClear, S::kPager, S::kClear, S::kPager, S::kNone}},
    {kModel89, 0, {S::kClear, S::kKeep, S::kClear, S::kKeep, S::kNone}},
    {kModelC0, kSubModel17, {S::kClear, S::kPager, S::kClear, S::kPager, S::kNone}},
    {kModelC0, kSubModel34, {S::kClear, S::kKeep, S::kClear, S::kKeep, S::kNone}},
}};

PagerColumn ColumnOf(const CrossModelInput& input) {
  if (input.pagerModel == kModel81) return kPager81;
  if (input.pagerModel == kModel89) return kPager89;
  if (input.r0406 && input.pagerSubModel == kSubModel17) return kPagerSub17;
  if (input.r0406 && input.pagerSubModel == kSubModel34) return kPagerSub34;
  return kPagerOther;
}

}  // namespace

OptionBitsSource CrossModelSource(const CrossModelInput& input) {
  for (const CrossModelRow& row : kCrossModelTable) {
    if (row.model != input.codeplugModel) continue;
    if (row.subModel != 0 && row.subModel != input.codeplugSubModel) continue;
    return row.sources[ColumnOf(input)];
  }
  return OptionBitsSource::kNone;
}

std::uint8_t AdjustOptionByte(std::uint8_t optionByte, OptionBitsSource source,
                              std::uint8_t pagerOptionBits) {
  switch (source) {
    case OptionBitsSource::kClear:
      return static_cast<std::uint8_t>(optionByte & ~kOptionBitsMask);
    case OptionBitsSource::kPager:
      return static_cast<std::uint8_t>((optionByte & ~kOptionBitsMask) |
                                       (pagerOptionBits & kOptionBitsMask));
    case OptionBitsSource::kKeep:
    case OptionBitsSource::kNone:
      break;
  }
  return optionByte;
}

}  // namespace rer
