#pragma once
// A pager link wired to a simulated pager in virtual time, with a scripted
// person at the keyboard.

#include <array>
#include <memory>

#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "pager/link_engine.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer::testing {

class LinkFixture {
 public:
  explicit LinkFixture(SimScenario scenario = {})
      : pager(std::move(scenario)),
        transport(pager, clock, &ui),
        link(transport, clock, ui, state, codeplugImage, pagerCopy) {}

  // Questions shown so far with Yes/No buttons.
  int QuestionsAsked() const {
    int n = 0;
    for (const auto& box : ui.shown) n += box.buttons == MessageButtons::YesNo;
    return n;
  }

  SimPager pager;
  VirtualClock clock;
  ScriptedUserInterface ui;
  LinkState state;
  std::array<std::uint8_t, 4096> codeplugImage{};
  std::array<std::uint8_t, 4096> pagerCopy{};
  SimTransport transport;
  PagerLink link;
};

inline std::vector<std::uint8_t> Pattern(std::size_t length, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

}  // namespace rer::testing
