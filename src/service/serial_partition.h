#pragma once
// The serial number and memory partition entry for a pager that holds no
// codeplug yet: which partition lists apply, which entry stands for which
// partition code, and what OK and Cancel leave behind.

#include <cstdint>
#include <string_view>

#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/link_state.h"
#include "pager/pager_session.h"

namespace rer {

inline constexpr int kPartitionEntries = 7;

// One entry of the partition lists.
struct PartitionEntry {
  std::string_view personal;
  std::string_view maildrop;
  std::uint8_t code;  // the partition code the codeplug stores
};

// Large memory: a 32 KB memory reply and the large-memory flag.
bool UsesLargeMemory(const LinkState& link);

const PartitionEntry& PartitionEntryAt(bool largeMemory, int index);
// The list entry that shows `code`; a code no entry has shows entry 2.
int PartitionIndexOfCode(bool largeMemory, std::uint8_t code);

// Asks for the serial number and, except for model 0x40, the partition. On
// OK: `link.SerialNumber` takes the typed text, `memoryPartition` the code of
// the chosen entry, result 0. On Cancel: nothing changes, result -17.
int EnterSerialAndPartition(LinkState& link, std::uint8_t& memoryPartition, UserInterface& ui);

// The entry as the program sequence runs it for a pager that holds no
// codeplug (command line and window alike): on OK the chosen partition code
// is also stored in the session's codeplug image, which is what the pager
// receives. The image's layout must be in force.
int EnterSerialAndPartition(PagerSession& session, UserInterface& ui);

}  // namespace rer
