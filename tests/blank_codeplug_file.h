#pragma once
// A codeplug file of a blank pager of one model, for tests that need a file
// to load: only the model byte and the codeplug version are set.

#include <cstdint>
#include <fstream>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "pager/codeplug_file.h"

namespace rer::testing {

inline std::string WriteBlankCodeplugFile(const std::string& path, std::uint8_t model) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, 0x69, 1);
  std::ofstream(path, std::ios::binary) << FormatCodeplugFile(image.Bytes(), {0, true, model});
  return path;
}

}  // namespace rer::testing
