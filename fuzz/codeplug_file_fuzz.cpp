// Feeds arbitrary text to the codeplug file reader. Whatever a file holds,
// the reader must either refuse it or return a whole image of one family.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pager/codeplug_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = rer::ParseCodeplugFile(text);
  if (parsed) {
    if (parsed->length != 1024 && parsed->length != 4096) std::abort();
    if (parsed->modelWord != parsed->image[1]) std::abort();
  }
  return 0;
}
