#include "pager/write_verify.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "codeplug/field_catalogue.h"
#include "codeplug/settings_diff.h"
#include "pager/codeplug_files.h"

namespace rer {
namespace {

// Only bytes the pager rewrites on its own belong here: every other byte that
// reads back differently is a pager that did not store its codeplug.
constexpr std::array kUnverifiedFields{
    UnverifiedField{Field::kStatusByte,
                    "the pager keeps its own wrong-password counters and its lock mark here and "
                    "updates them itself"},
    UnverifiedField{Field::kPagerSpecificData,
                    "the pager's own working data: it is copied from the pager before the write "
                    "and the pager goes on changing it once it runs"},
};

std::string Hex(std::size_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*zX", digits, value);
  return text;
}

}  // namespace

std::span<const UnverifiedField> UnverifiedFields() {
  return kUnverifiedFields;
}

bool VerifiedOffset(const Layout& layout, std::size_t offset) {
  for (const UnverifiedField& unverified : kUnverifiedFields) {
    const FieldPlace place = layout.Place(unverified.field);
    if (!place.present()) continue;
    for (int i = 0; i < place.count; ++i) {
      const std::size_t first = place.ElementOffset(i);
      if (offset >= first && offset < first + place.size) return false;
    }
  }
  return true;
}

VerifyOutcome CompareReadBack(const PagerSession& session, std::span<const std::uint8_t> written,
                              std::span<const std::uint8_t> held) {
  VerifyOutcome outcome;
  outcome.state = VerifyState::Verified;
  const std::size_t length = std::min(written.size(), held.size());
  for (std::size_t offset = 0; offset < length; ++offset) {
    if (written[offset] == held[offset] || !VerifiedOffset(session.layout, offset)) continue;
    outcome.state = VerifyState::Different;
    outcome.offset = offset;
    outcome.written = written[offset];
    outcome.held = held[offset];
    break;
  }
  if (outcome.state != VerifyState::Different) return outcome;

  // The two decodes work on copies: the editor's settings stay as they are.
  PagerSession asWritten = session;
  std::copy(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(length),
            asWritten.image.Bytes().begin());
  PagerSession asHeld = asWritten;
  asHeld.image[outcome.offset] = outcome.held;
  if (DecodeSessionImage(asWritten) != kSuccess || DecodeSessionImage(asHeld) != kSuccess) {
    return outcome;
  }
  const std::vector<SettingDifference> differences =
      DiffSettings(asWritten.settings, asHeld.settings);
  if (!differences.empty()) {
    outcome.controlName = differences.front().controlName;
    outcome.label = differences.front().label;
  }
  return outcome;
}

std::string VerifyDetail(const VerifyOutcome& outcome) {
  switch (outcome.state) {
    case VerifyState::NotRun:
      return "not verified";
    case VerifyState::Verified:
      return "verified";
    case VerifyState::NotReadBack:
      return "the pager could not be read back (error " + std::to_string(outcome.readResult) + ")";
    case VerifyState::Different:
      break;
  }
  const std::string setting = outcome.controlName.empty()
                                  ? std::string("a byte no setting shows")
                                  : outcome.label + " (" + outcome.controlName + ")";
  return "offset " + Hex(outcome.offset, 4) + ", " + setting + ": written " +
         Hex(outcome.written, 2) + ", the pager holds " + Hex(outcome.held, 2);
}

}  // namespace rer
