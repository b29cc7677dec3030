#include "codeplug/encode_prompts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "codeplug/codec_bindings.h"
#include "codeplug/image_fields.h"
#include "prompts/chinese_prompt_slots.h"
#include "prompts/packed_prompts.h"

namespace rer {
namespace {

// Each slot takes as many bytes of its text as fit; the rest of the slot
// area is zero, which ends a shorter text when it is read back.
void WriteChinesePromptSlots(const EditorSettings& settings, const Layout& layout,
                             CodeplugImage& image) {
  ImageFields fields(image, layout);
  fields.Fill(Field::kIdeoPromptSlots, 0);
  const auto bytes = image.Bytes();
  // The slot table names its prompts; they are resolved once.
  static const std::vector<Control> controls = [] {
    std::vector<Control> found;
    for (const ChinesePromptSlot& slot : ChinesePromptSlots()) {
      found.push_back(FieldCatalogue::Instance().SingleControlNamed(slot.field));
    }
    return found;
  }();
  std::size_t at = 0;
  for (const ChinesePromptSlot& slot : ChinesePromptSlots()) {
    const std::string& text = settings.Text(controls[at++]);
    const std::size_t length = std::min(slot.width, text.size());
    std::copy_n(text.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(slot.offset));
  }
}

}  // namespace

std::size_t EncodePrompts(const EditorSettings& settings, const Layout& layout,
                          CodeplugImage& image) {
  const auto start = layout.PackedPromptAreaStart();
  if (!start) return 0;
  if (!layout.Is4K() && settings.ideoPrompts) {
    WriteChinesePromptSlots(settings, layout, image);
    return 0;
  }
  const PromptNumbering numbering =
      layout.Is4K() ? PromptNumbering::kExtended : PromptNumbering::kClassic;
  return WritePackedPrompts(PromptTextsOf(settings), numbering, image.Bytes(), *start);
}

}  // namespace rer
