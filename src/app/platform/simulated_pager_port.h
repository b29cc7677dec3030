#pragma once
// A simulated pager inside the program, served on a pseudo-terminal by a
// thread of its own in real time, so that the window's serial driver opens
// it like any port. Used by `rer --simulate` to show the program without a
// pager. POSIX only; elsewhere Start gives null.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "sim/sim_scenario.h"

namespace rer {

class PseudoTerminal;
class SimPager;

class SimulatedPagerPort {
 public:
  // Starts serving `scenario`; null when the system offers no pseudo-terminal.
  static std::unique_ptr<SimulatedPagerPort> Start(const SimScenario& scenario);
  ~SimulatedPagerPort();
  SimulatedPagerPort(const SimulatedPagerPort&) = delete;
  SimulatedPagerPort& operator=(const SimulatedPagerPort&) = delete;

  // The device path to open as the serial port.
  const std::string& PortName() const;

 private:
  SimulatedPagerPort() = default;

  std::unique_ptr<PseudoTerminal> terminal_;
  std::unique_ptr<SimPager> pager_;
  std::atomic<bool> stop_{false};
  std::thread server_;
};

// The model of `--simulate[=MODEL]`, hexadecimal as model codes are written
// ("0x81", "81", "C0"); empty text gives the 4 KB standard model 0x84.
// Nothing when the text is not the model code of a pager family.
std::optional<std::uint8_t> ParseSimulatedModel(const std::string& text);

}  // namespace rer
