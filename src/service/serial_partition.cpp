#include "service/serial_partition.h"

#include <array>
#include <string>

#include "codeplug/pager_family.h"
#include "core/result_codes.h"

namespace rer {
namespace {

constexpr std::uint8_t kLargeMemoryReply = 32;
constexpr int kFallbackIndex = 2;

using PartitionTable = std::array<PartitionEntry, kPartitionEntries>;

constexpr PartitionTable kLargeMemoryPartitions = {{
    {"   3K", "  29K", 3},
    {"   5K", "  27K", 5},
    {"  10K", "  22K", 11},
    {"  16K", "  16K", 16},
    {"21.5K", "10.5K", 21},
    {"  27K", "   5K", 26},
    {"  32K", " None", 32},
}};

constexpr PartitionTable kSmallMemoryPartitions = {{
    {"None", "7.5K", 0},
    {"  1K", "6.5K", 1},
    {"  2K", "5.5K", 2},
    {"  3K", "4.5K", 3},
    {"  4K", "3.5K", 4},
    {"  5K", "2.5K", 5},
    {"7.5K", "None", 8},
}};

const PartitionTable& TableOf(bool largeMemory) {
  return largeMemory ? kLargeMemoryPartitions : kSmallMemoryPartitions;
}

}  // namespace

bool UsesLargeMemory(const LinkState& link) {
  return link.MemoryByte == kLargeMemoryReply && link.LargeMemory;
}

const PartitionEntry& PartitionEntryAt(bool largeMemory, int index) {
  const int safe = index >= 0 && index < kPartitionEntries ? index : kFallbackIndex;
  return TableOf(largeMemory)[static_cast<std::size_t>(safe)];
}

int PartitionIndexOfCode(bool largeMemory, std::uint8_t code) {
  const PartitionTable& table = TableOf(largeMemory);
  for (int index = 0; index < kPartitionEntries; ++index) {
    if (table[static_cast<std::size_t>(index)].code == code) return index;
  }
  // A small-memory code stands for its own index, so code 6 (not in the
  // list) shows the last entry as code 8 does; 7 and above have no entry.
  if (!largeMemory && code < kPartitionEntries) return code;
  return kFallbackIndex;
}

int EnterSerialAndPartition(LinkState& link, std::uint8_t& memoryPartition, UserInterface& ui) {
  const bool serialOnly = link.ModelCode == kFourAddressModel;
  const bool large = UsesLargeMemory(link);
  UserInterface::SerialPartitionRequest request;
  if (!serialOnly) {
    for (const PartitionEntry& entry : TableOf(large)) {
      request.personalItems.emplace_back(entry.personal);
      request.maildropItems.emplace_back(entry.maildrop);
    }
    request.selectedIndex = PartitionIndexOfCode(large, memoryPartition);
  }
  const auto entry = ui.EnterSerialPartition(request);
  if (!entry) return kOperationCancelled;  // the remembered partition stays

  link.SerialNumber = entry->serialNumber.substr(0, kSerialNumberLength);
  if (!serialOnly) memoryPartition = PartitionEntryAt(large, entry->selectedIndex).code;
  return 0;
}

}  // namespace rer
