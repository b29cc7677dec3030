#pragma once
// The demonstration codeplug of a model decoded into an editor, once per
// model: every fuzz run starts from a copy, since the decode is the same each
// time.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>

#include "core/result_codes.h"
#include "pager/codeplug_files.h"
#include "sim/demo_codeplug.h"

namespace rer::fuzz {

inline const PagerSession& EditorHolding(std::uint8_t model) {
  static std::map<std::uint8_t, std::unique_ptr<PagerSession>> editors;
  auto& editor = editors[model];
  if (!editor) {
    editor = std::make_unique<PagerSession>();
    const auto image = DemoCodeplugImage(model);
    std::copy(image.begin(), image.end(), editor->image.Bytes().begin());
    editor->link.ModelWord = model;
    editor->link.ModelCode = model;
    editor->readModelWord = model;
    if (DecodeSessionImage(*editor) != kSuccess) std::abort();
  }
  return *editor;
}

}  // namespace rer::fuzz
