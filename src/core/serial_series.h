#pragma once
// Production series of a pager, told from its 10-character serial number.

#include <string_view>

namespace rer {

bool IsNewSecure4KSerial(std::string_view serial);
bool IsNewSecure4KSeries(std::string_view serial);
bool IsNew4KSeries(std::string_view serial);
bool IsSmallPromptSeries(std::string_view serial);

}  // namespace rer
