#include "cli/session_port.h"

#include <QCoreApplication>
#include <iostream>

#include "comm/real_clock.h"
#include "comm/tdcomm.h"
#include "comm/virtual_clock.h"
#include "sim/demo_codeplug.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"

namespace rer::cli {
namespace {

constexpr const char* kSimPort = "sim";

class SimulatedPort : public SessionPort {
 public:
  SimulatedPort(const SimScenario& scenario, UserInterface& ui)
      : pager_(scenario), transport_(pager_, clock_, &ui) {}
  Transport& transport() override { return transport_; }
  Clock& clock() override { return clock_; }

 private:
  SimPager pager_;
  VirtualClock clock_;
  SimTransport transport_;
};

class SerialPort : public SessionPort {
 public:
  SerialPort(const std::string& name, UserInterface& ui) : serial_(&ui) {
    serial_.SetPortName(name);
  }
  Transport& transport() override { return serial_; }
  Clock& clock() override { return clock_; }

 private:
  TDComm serial_;
  RealClock clock_;
};

// A serial port with the application object it wants for its notifiers.
class SerialPortWithApplication : public SessionPort {
 public:
  SerialPortWithApplication(const std::string& name, UserInterface& ui)
      : app_(argc_, argv_), port_(name, ui) {}
  Transport& transport() override { return port_.transport(); }
  Clock& clock() override { return port_.clock(); }

 private:
  int argc_ = 1;
  char name_[8] = "rer-cli";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication app_;
  SerialPort port_;
};

}  // namespace

std::optional<SimScenario> SimulatedPagerScenario(const std::optional<std::string>& scenarioFile,
                                                  std::optional<std::uint8_t> model,
                                                  std::string& error) {
  if (!scenarioFile) return DemoScenario(model.value_or(SimScenario{}.modelCode));
  auto scenario = LoadSimScenario(*scenarioFile, error);
  if (scenario && model) scenario->modelCode = *model;
  return scenario;
}

namespace {

// "sim" or "sim:CODE": the simulated pager's scenario; nullopt for a device.
std::optional<SimScenario> SimulatedScenario(const std::string& port, const Args& args,
                                             std::string& error) {
  if (port != kSimPort && port.rfind(std::string(kSimPort) + ":", 0) != 0) return std::nullopt;
  std::optional<std::uint8_t> model;
  if (port.size() > 3) {
    const auto code = ParseNumber(port.substr(4));
    if (!code || *code < 0 || *code > 0xFF) {
      error = "bad model code in " + port;
      return std::nullopt;
    }
    model = static_cast<std::uint8_t>(*code);
  }
  return SimulatedPagerScenario(args.value("scenario"), model, error);
}

}  // namespace

int CommandLineUserInterface::ShowMessageBox(const MessageBox& box) {
  // A question's title names it (the retry questions share their text).
  if (box.buttons == MessageButtons::YesNo) Err() << box.title << "\n";
  Err() << box.text;
  if (!box.text.empty() && box.text.back() != '\n') Err() << "\n";
  return ScriptedUserInterface::ShowMessageBox(box);
}

std::string HexByte(std::uint8_t value) {
  static const char* digits = "0123456789abcdef";
  return std::string("0x") + digits[value >> 4] + digits[value & 0xF];
}

std::unique_ptr<SessionPort> OpenSessionPort(const std::string& port, const Args& args,
                                             UserInterface& ui, std::string& error) {
  const auto scenario = SimulatedScenario(port, args, error);
  if (!error.empty()) return nullptr;
  if (scenario) return std::make_unique<SimulatedPort>(*scenario, ui);
  return std::make_unique<SerialPortWithApplication>(port, ui);
}

std::unique_ptr<SessionPort> OpenCradlePort(const std::string& port, const Args& args,
                                            UserInterface& ui, std::string& error) {
  const auto scenario = SimulatedScenario(port, args, error);
  if (!error.empty()) return nullptr;
  if (scenario) return std::make_unique<SimulatedPort>(*scenario, ui);
  return std::make_unique<SerialPort>(port, ui);
}

}  // namespace rer::cli
