// The comparison behind read-back verify: which bytes count, and how the
// first difference is named.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "codeplug/layout_table.h"
#include "pager/codeplug_files.h"
#include "pager/write_verify.h"
#include "sim/demo_codeplug.h"

namespace rer {
namespace {

constexpr std::uint8_t kModel = 0x84;

struct Case {
  const char* what;
  Field field;
  int byteInField;
  VerifyState expected;
  const char* controlName;  // the setting named, "" for none
};

TEST(CompareReadBack, OnlyTheBytesThePagerChangesAreLeftOut) {
  PagerSession session;
  session.link.ModelCode = kModel;
  const std::vector<std::uint8_t> written = DemoCodeplugImage(kModel);
  std::copy(written.begin(), written.end(), session.image.Bytes().begin());
  ASSERT_EQ(DecodeSessionImage(session), kSuccess);

  const Case cases[] = {
      {"the pager's counters", Field::kStatusByte, 0, VerifyState::Verified, ""},
      {"the pager's working data", Field::kPagerSpecificData, 0x10, VerifyState::Verified, ""},
      {"the inventory number", Field::kInventoryNumber, 2, VerifyState::Different, "ed_ICN"},
      {"the serial number", Field::kSerialNumber, 0, VerifyState::Different, "ed_serialNumber"},
      {"a byte no setting shows", Field::kIdentitySignature, 0, VerifyState::Different, ""},
  };
  for (const Case& c : cases) {
    const std::size_t offset =
        *session.layout.Offset(c.field) + static_cast<std::size_t>(c.byteInField);
    std::vector<std::uint8_t> held = written;
    held[offset] ^= 0x01;
    const VerifyOutcome outcome = CompareReadBack(session, written, held);
    EXPECT_EQ(outcome.state, c.expected) << c.what;
    if (c.expected != VerifyState::Different) continue;
    EXPECT_EQ(outcome.offset, offset) << c.what;
    EXPECT_EQ(outcome.controlName, c.controlName) << c.what;
    EXPECT_NE(VerifyDetail(outcome).find(c.controlName[0] ? c.controlName : "no setting"),
              std::string::npos)
        << VerifyDetail(outcome);
  }
  EXPECT_TRUE(CompareReadBack(session, written, written).Passed());
}

TEST(CompareReadBack, TheFirstDifferenceIsTheOneNamed) {
  PagerSession session;
  session.link.ModelCode = kModel;
  const std::vector<std::uint8_t> written = DemoCodeplugImage(kModel);
  std::copy(written.begin(), written.end(), session.image.Bytes().begin());
  ASSERT_EQ(DecodeSessionImage(session), kSuccess);
  std::vector<std::uint8_t> held = written;
  const std::size_t serial = *session.layout.Offset(Field::kSerialNumber);
  const std::size_t inventory = *session.layout.Offset(Field::kInventoryNumber);
  held[std::max(serial, inventory)] ^= 0x04;
  held[std::min(serial, inventory)] ^= 0x04;

  const VerifyOutcome outcome = CompareReadBack(session, written, held);

  EXPECT_EQ(outcome.offset, std::min(serial, inventory));
  EXPECT_EQ(outcome.written ^ outcome.held, 0x04);
}

}  // namespace
}  // namespace rer
