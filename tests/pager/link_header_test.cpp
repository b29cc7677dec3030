#include "pager/link_header.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

struct HeaderCase {
  const char* what;
  int operation;
  std::uint8_t model;
  bool extended;
  bool LinkState::*flag;  // a firmware flag to set, or null
  CommandHeader expected;
};

TEST(LinkHeader, EveryOperationAndFamily) {
  const HeaderCase cases[] = {
      {"identify 1K", opIdentify, 0x81, false, nullptr, {0x05, 0x01, 0x04, 0, 0, 0, 0x10, 0}},
      {"identify 4K", opIdentify, 0xD1, false, nullptr, {0x05, 0x01, 0x04, 0, 0, 0, 0x10, 0}},
      {"status 1K", opQueryStatus, 0xC0, false, nullptr, {0x01, 0x01, 0x04, 0, 0, 0, 0x04, 0}},
      {"status 4K", opQueryStatus, 0x88, false, nullptr, {0x01, 0x01, 0x04, 0, 0, 0, 0x10, 0}},
      {"read 1K", opReadCodeplug, 0x89, false, nullptr, {'F', 0x01, 0x04, 0, 0, 0, 0x04, 0}},
      {"read 4K extended",
       opReadCodeplug,
       0xD0,
       true,
       nullptr,
       {'f', 0x01, 0x04, 0, 0, 0, 0x10, 0}},
      {"write 4K", opWriteCodeplug, 0x84, false, nullptr, {0x18, 0x07, 0x04, 0, 0, 0, 0x10, 0}},
      {"receiver on 1K", opReceiverOn, 0x81, false, nullptr, {0x00, 0x0B, 0x04, 0, 0, 0, 0x04, 0}},
      {"clock old", opSetClock, 0x81, false, nullptr, {0x00, 0x03, 0x0C, 0x1A, 0, 0, 0, 0x05}},
      {"clock R0403",
       opSetClock,
       0x81,
       false,
       &LinkState::R0403,
       {0x00, 0x03, 0x0C, 0x1C, 0, 0, 0, 0x05}},
      {"clock R0407",
       opSetClock,
       0x84,
       false,
       &LinkState::R0407,
       {0x00, 0x03, 0x18, 0x00, 0, 0, 0, 0x05}},
      {"clock R0501",
       opSetClock,
       0x84,
       false,
       &LinkState::R0501,
       {0x00, 0x03, 0x18, 0x00, 0, 0, 0, 0x05}},
      {"clock R0502",
       opSetClock,
       0x84,
       false,
       &LinkState::R0502,
       {0x00, 0x03, 0x18, 0x00, 0, 0, 0, 0x05}},
  };
  for (const auto& c : cases) {
    LinkState state;
    state.ModelCode = c.model;
    state.ExtendedReply = c.extended;
    if (c.flag) state.*c.flag = true;
    EXPECT_EQ(BuildHeader(c.operation, state), c.expected) << c.what;
  }
}

TEST(LinkHeader, NewFirmwareClockAddressWinsOverR0403) {
  LinkState state;
  state.ModelCode = 0x84;
  state.R0403 = true;
  state.R0409 = true;
  const CommandHeader expected{0x00, 0x03, 0x18, 0x00, 0, 0, 0, 0x05};
  EXPECT_EQ(BuildHeader(opSetClock, state), expected);
}

TEST(LinkHeader, ModelCodes) {
  for (std::uint8_t code : {0x81, 0x89, 0xC0}) EXPECT_EQ(ImageLengthOfModel(code), 1024u);
  for (std::uint8_t code : {0x84, 0x88, 0xD0, 0xD1}) EXPECT_EQ(ImageLengthOfModel(code), 4096u);
  int known = 0;
  for (int code = 0; code < 256; ++code) known += IsKnownModelCode(static_cast<std::uint8_t>(code));
  EXPECT_EQ(known, 7);
}

}  // namespace
}  // namespace rer
