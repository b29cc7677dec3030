#pragma once
// The address rules the pages apply before a codeplug is programmed or
// saved, and the derived paging frame they share with sequential
// programming.

#include <cstdint>
#include <string>

#include "codeplug/address_codec.h"
#include "codeplug/editor_settings.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "core/user_interface.h"

namespace rer {

// The model whose codeplug holds only the first four addresses.

// The frame that address `value` falls in: capcodes up to three above
// address 1 (`firstCapcode`) share its frame, every other capcode has its own.
std::uint32_t DerivedFrame(std::uint32_t value, std::uint32_t firstCapcode);

// The class of address n (1-16) as the editor holds it, with the even-slot
// rule for even addresses.
AddressClass ClassOfAddress(const EditorSettings& settings, int address);

// The page check of every address tab: 0, or -27 with `failingAddress` set to
// the first address that fails.
int CheckAddressPages(const EditorSettings& settings, int* failingAddress = nullptr);

// The check of address tab `tab` (1 for Code 1-4 ... 4 for Code 13-16): 0,
// or -27 with `failingAddress` set to the first address that fails.
int CheckAddressTab(const EditorSettings& settings, int tab, int* failingAddress = nullptr);

// 0, or -48 when two non-empty capcodes stand for the same number (0001234
// and 1234 are the same address). Model 0x40 compares addresses 1-4 only.
int CheckDuplicateCapcodes(const EditorSettings& settings, std::uint8_t modelCode);

// Both checks in the order the pages run them; the first failure is shown
// and returned.
int RunAddressChecks(const EditorSettings& settings, std::uint8_t modelCode, UserInterface& ui);

}  // namespace rer
