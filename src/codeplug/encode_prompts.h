#pragma once
// The prompts of the editor settings written into the image.

#include "codeplug/codeplug_image.h"
#include "codeplug/editor_settings.h"
#include "codeplug/layout_table.h"

namespace rer {

// Writes the prompts the family stores: 75 packed prompts in the 4 KB
// family, 53 in the 1 KB family. Chinese prompts of a 1 KB codeplug go into
// their fixed slots instead, since packing would turn their ideograph bytes
// into Latin codes the pager shows as garbage; the 4 KB family has no such
// slots and always packs. Returns the used size of the packed area (0 for
// slots). Does nothing while no family is in force.
std::size_t EncodePrompts(const EditorSettings& settings, const Layout& layout,
                          CodeplugImage& image);

}  // namespace rer
