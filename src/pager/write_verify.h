#pragma once
// Read-back verify: once a pager has been programmed, its codeplug is read
// again and compared with the image that was written to it. The checksum the
// pager accepts only proves that the bytes arrived; this proves that the
// pager stored them. The bytes the pager itself changes after a write are
// left out, each with its reason in one table (write_verify.cpp).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/layout_table.h"
#include "pager/pager_session.h"

namespace rer {

// A field of the image that read-back verify does not compare, and why.
struct UnverifiedField {
  Field field;
  std::string_view reason;
};
std::span<const UnverifiedField> UnverifiedFields();

// False for a byte of one of the fields above, in the layout in force.
bool VerifiedOffset(const Layout& layout, std::size_t offset);

enum class VerifyState {
  NotRun,       // verify is off, or nothing was written
  Verified,     // the pager holds what was written
  Different,    // the pager holds another value at `offset`
  NotReadBack,  // the read-back failed with `readResult`
};

struct VerifyOutcome {
  VerifyState state = VerifyState::NotRun;
  int readResult = 0;      // the link's result, for NotReadBack
  std::size_t offset = 0;  // the first differing byte, for Different
  std::uint8_t written = 0;
  std::uint8_t held = 0;
  // The setting the first differing byte belongs to, as the pages name it;
  // empty when the byte is not shown by any setting.
  std::string controlName;
  std::string label;

  bool Passed() const { return state == VerifyState::Verified; }
  bool Failed() const {
    return state == VerifyState::Different || state == VerifyState::NotReadBack;
  }
};

// Compares the image `written` with what the pager sent back, `held`, over
// the shorter of the two, leaving out the unverified fields of the session's
// layout. The first difference is named by the setting it changes: the
// written image and the written image with that one byte as the pager holds
// it are both decoded, and the first setting whose value differs is taken.
VerifyOutcome CompareReadBack(const PagerSession& session, std::span<const std::uint8_t> written,
                              std::span<const std::uint8_t> held);

// The outcome in words, for the message of a failure and for logs:
// "offset 0x0123, Frequency (MHz) (ed_frequency): written 0x12, the pager
// holds 0x13".
std::string VerifyDetail(const VerifyOutcome& outcome);

}  // namespace rer
