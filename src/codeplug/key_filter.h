#pragma once
// What the key filters of the text fields let through, as a rule over one
// character: the window applies it to every key typed, and anything that
// sets a field without typing (a settings file) applies it to every
// character, so that no route can put into a field what typing could not.

#include <optional>
#include <string>
#include <string_view>

#include "codeplug/field_catalogue.h"

namespace rer {

// True when the filter lets `key` through. Backspace passes every filter.
bool KeyFilterAcceptsKey(KeyFilter filter, char32_t key);

// Why `text` could not have been typed into the field of `entry`: the first
// character its key filter refuses, or a length beyond its limit (counted in
// characters of UTF-8 `text`). nullopt when it could.
std::optional<std::string> TypingProblem(const ControlEntry& entry, std::string_view text);

}  // namespace rer
