#pragma once
// Position-dependent substitution that hides pager passwords on the link and
// in the codeplug. Both routines map bytes one to one, so the output has the
// length of the input.

#include <string>
#include <string_view>

namespace rer {

// Scrambles a password of blanks, digits and upper-case letters. A byte
// outside that alphabet still gives a defined output, but it does not survive
// a round trip.
std::string ScramblePassword(std::string_view plain);

// Reverses ScramblePassword for texts drawn from the same alphabet.
std::string UnscramblePassword(std::string_view scrambled);

}  // namespace rer
