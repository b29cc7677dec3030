#pragma once
// Sequential programming: after each pager of a run the capcodes and the
// inventory control number advance so that the next pager gets addresses of
// its own.

#include <cstdint>
#include <string>
#include <string_view>

#include "codeplug/editor_settings.h"
#include "core/result_codes.h"
#include "core/user_interface.h"

namespace rer {

// How the addresses advance from one pager to the next.
struct SequentialStep {
  int step = 1;  // address 1 and the addresses of its block advance by this much
  // Set when an Individual address lies outside the block of address 1 or a
  // Group address lies inside it: the run will then hand out an address twice.
  bool conflict = false;
};

// The block of Individual addresses that continue address 1 one by one.
SequentialStep ComputeSequentialStep(const EditorSettings& settings);

// A capcode advanced by `step` within its own range: the short ranges and
// the long range wrap round to their start rather than leaving the range.
std::uint32_t AdvanceCapcode(std::uint32_t value, std::uint32_t step);

// The inventory control number of the next pager: the trailing run of
// digits counts up by one, keeping its width and leading zeros. A counter
// that overflows its width grows by one digit while the number stays within
// its ten characters, and otherwise starts again at zero. A number without
// trailing digits stays as it is.
std::string AdvanceInventoryNumber(std::string_view number);

// True when every capcode is valid or empty and none repeats: the state in
// which the advance is offered.
bool SequentialAdvancePossible(const EditorSettings& settings);

// The check before a pager of a sequential run: when the advance would hand
// out an address twice, asks -65. False ("no go") only when that question
// is answered No.
bool SequentialCheck(const EditorSettings& settings, UserInterface& ui);

// Advances every capcode, sets the derived frame and battery cycle 4 of every
// advanced address, refreshes the FLEX addresses and advances the inventory
// control number. Returns the step used. Asks nothing: whether to go on is
// the check's business.
SequentialStep AdvanceSequentialAddresses(EditorSettings& settings);

}  // namespace rer
