#include "codeplug/codeplug_image.h"

#include "codeplug/layout_table.h"

namespace rer {

std::optional<std::uint8_t> ComputeImageChecksum(const CodeplugImage& image, const Layout& layout) {
  const auto checksumAt = layout.Offset(Field::kImageChecksum);
  if (!checksumAt) return std::nullopt;
  unsigned sum = 0;
  for (std::size_t i = 0; i < *checksumAt; ++i) sum += image[i];
  return static_cast<std::uint8_t>(~sum);
}

void WriteImageChecksum(CodeplugImage& image, const Layout& layout) {
  const auto checksum = ComputeImageChecksum(image, layout);
  if (checksum) image[*layout.Offset(Field::kImageChecksum)] = *checksum;
}

}  // namespace rer
