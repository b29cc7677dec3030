#include "pager/link_header.h"

#include "codeplug/pager_family.h"

namespace rer {
namespace {

struct OperationRow {
  int operation;
  std::uint8_t mode;
  std::uint8_t command;
};

constexpr std::uint8_t kModeRead = 'F';
constexpr std::uint8_t kModeReadExtended = 'f';

constexpr OperationRow kOperations[] = {
    {opIdentify, 0x05, 0x01},      {opQueryStatus, 0x01, 0x01}, {opReadCodeplug, kModeRead, 0x01},
    {opWriteCodeplug, 0x18, 0x07}, {opReceiverOn, 0x00, 0x0B},  {opSetClock, 0x00, 0x03},
};

struct Span {
  std::uint16_t address;
  std::uint16_t count;
};

// Address and byte count of the whole-codeplug operations by family.
constexpr Span k1KSpan{0x0400, 0x0400};
constexpr Span k4KSpan{0x0400, 0x1000};

// Where the pager keeps its clock, by firmware generation.
constexpr std::uint16_t kClockAddressOld = 0x0C1A;
constexpr std::uint16_t kClockAddressR0403 = 0x0C1C;
constexpr std::uint16_t kClockAddressNew = 0x1800;
constexpr std::uint16_t kClockPayloadLength = 5;

Span SpanOf(int operation, const LinkState& state) {
  if (operation == opIdentify) return k4KSpan;
  if (operation == opSetClock) {
    std::uint16_t address = kClockAddressOld;
    if (state.R0403) address = kClockAddressR0403;
    if (state.R0407 || state.R0408 || state.R0409 || state.R0501 || state.R0502) {
      address = kClockAddressNew;
    }
    return {address, kClockPayloadLength};
  }
  return Is1KFamily(state.ModelCode) ? k1KSpan : k4KSpan;
}

}  // namespace

CommandHeader BuildHeader(int operation, const LinkState& state) {
  CommandHeader header{};
  for (const OperationRow& row : kOperations) {
    if (row.operation != operation) continue;
    header[0] = row.mode;
    header[1] = row.command;
  }
  if (operation == opReadCodeplug && state.ExtendedReply) header[0] = kModeReadExtended;
  const Span span = SpanOf(operation, state);
  header[2] = static_cast<std::uint8_t>(span.address >> 8);
  header[3] = static_cast<std::uint8_t>(span.address & 0xFF);
  header[6] = static_cast<std::uint8_t>(span.count >> 8);
  header[7] = static_cast<std::uint8_t>(span.count & 0xFF);
  return header;
}

bool IsKnownModelCode(std::uint8_t modelCode) {
  return FamilyOfModel(modelCode).has_value();
}

std::size_t ImageLengthOfModel(std::uint8_t modelCode) {
  const auto family = FamilyOfModel(modelCode);
  return ImageLength(family.value_or(PagerFamily::k4K));
}

}  // namespace rer
