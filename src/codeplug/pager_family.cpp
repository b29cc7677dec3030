#include "codeplug/pager_family.h"

#include <array>

namespace rer {
namespace {

struct ModelFamilyRow {
  std::uint8_t modelCode;
  PagerFamily family;
};

constexpr std::array<ModelFamilyRow, 7> kModelFamilies{{
    {0x81, PagerFamily::k1K},
    {0x89, PagerFamily::k1K},
    {0xC0, PagerFamily::k1K},
    {0x84, PagerFamily::k4K},
    {0x88, PagerFamily::k4K},
    {0xD0, PagerFamily::k4K},
    {0xD1, PagerFamily::k4K},
}};

}  // namespace

std::optional<PagerFamily> FamilyOfModel(std::uint8_t modelCode) {
  for (const ModelFamilyRow& row : kModelFamilies) {
    if (row.modelCode == modelCode) return row.family;
  }
  return std::nullopt;
}

bool Is4KFamily(std::uint8_t modelCode) {
  return FamilyOfModel(modelCode) == PagerFamily::k4K;
}

bool Is1KFamily(std::uint8_t modelCode) {
  return FamilyOfModel(modelCode) == PagerFamily::k1K;
}

std::size_t ImageLength(PagerFamily family) {
  return family == PagerFamily::k4K ? 4096 : 1024;
}

}  // namespace rer
