#include "app/platform/simulated_pager_port.h"

#include <cctype>

#include "codeplug/pager_family.h"
#include "core/text.h"
#include "sim/sim_pager.h"

#ifndef _WIN32
#include "comm/pseudo_terminal.h"
#include "sim/sim_server.h"
#endif

namespace rer {
namespace {

constexpr std::uint8_t kDefaultSimulatedModel = 0x84;
const std::string kNoPort;

}  // namespace

std::unique_ptr<SimulatedPagerPort> SimulatedPagerPort::Start(const SimScenario& scenario) {
#ifdef _WIN32
  (void)scenario;
  return nullptr;
#else
  std::unique_ptr<SimulatedPagerPort> port(new SimulatedPagerPort);
  port->terminal_ = PseudoTerminal::Create();
  if (!port->terminal_) return nullptr;
  port->pager_ = std::make_unique<SimPager>(scenario);
  SimulatedPagerPort* self = port.get();
  port->server_ = std::thread([self] {
    SimServer server(*self->pager_, self->terminal_->masterFd());
    server.Serve(self->stop_);
  });
  return port;
#endif
}

SimulatedPagerPort::~SimulatedPagerPort() {
  stop_.store(true);
  if (server_.joinable()) server_.join();
}

const std::string& SimulatedPagerPort::PortName() const {
#ifdef _WIN32
  return kNoPort;
#else
  return terminal_ ? terminal_->slavePath() : kNoPort;
#endif
}

std::optional<std::uint8_t> ParseSimulatedModel(const std::string& text) {
  if (text.empty()) return kDefaultSimulatedModel;
  const bool prefixed = text.starts_with("0x") || text.starts_with("0X");
  const std::string digits = prefixed ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  std::uint8_t value = 0;
  for (char digit : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(digit))) return std::nullopt;
    value = static_cast<std::uint8_t>(value * 16 + HexDigitValue(digit));
  }
  if (!FamilyOfModel(value)) return std::nullopt;
  return value;
}

}  // namespace rer
