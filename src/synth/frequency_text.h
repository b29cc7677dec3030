#pragma once
// The frequency the user types, as the whole hertz a divider search takes.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rer {

// Reads a frequency text in megahertz ("152.8400"; blanks count as "0", as
// the entry mask leaves them) and rounds it up to whole hertz. The decimal
// text is read exactly: multiplying a parsed floating-point value by 10^6
// can land a hair above the true value and round a grid frequency up off
// its grid. Nothing for an empty text, any other character, or a value
// beyond 32 bits of hertz.
std::optional<std::uint32_t> HzOfFrequencyText(std::string_view text);

}  // namespace rer
