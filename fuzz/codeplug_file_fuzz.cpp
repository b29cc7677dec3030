// Feeds arbitrary text to the codeplug file reader. Whatever a file holds,
// the reader must either refuse it or return a whole image of one family,
// and the decode of that family must take any such image without fault.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "codeplug/decode_image.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "pager/codeplug_file.h"
#include "pager/password_scramble.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = rer::ParseCodeplugFile(text);
  if (!parsed) return 0;
  if (parsed->length != 1024 && parsed->length != 4096) std::abort();
  if (parsed->modelWord != parsed->image[1]) std::abort();

  const auto model = static_cast<std::uint8_t>(parsed->modelWord);
  const auto family = rer::FamilyOfModel(model);
  if (!family) std::abort();  // the reader accepts only images of a known family
  rer::CodeplugImage image;
  std::copy_n(parsed->image.begin(), parsed->length, image.Bytes().begin());
  rer::Layout layout;
  rer::SelectLayout(layout, model);
  rer::EditorSettings settings;
  rer::SynthState synth;
  rer::DecodeContext context{.cgromType = parsed->cgromType,
                             .modelCode = model,
                             .programSequence = false,
                             .pagerLargeMemory = parsed->largeMemory,
                             .synth = synth,
                             .unscramblePassword = [](std::string_view scrambled) {
                               return rer::UnscramblePassword(scrambled);
                             }};
  const int result = *family == rer::PagerFamily::k4K
                         ? rer::DecodeImage4K(image, layout, settings, context)
                         : rer::DecodeImage1K(image, layout, settings, context);
  if (result != rer::kSuccess && result != rer::kCodeplugTooNew) std::abort();
  return 0;
}
