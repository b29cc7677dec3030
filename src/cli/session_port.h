#pragma once
// What the pager commands of rer-cli share: the user interface that answers
// from the options and prints every box on stderr, and the port a command
// talks to: a serial device path, or "sim" / "sim:0x81" for a simulated
// pager inside the process (virtual time; "--scenario FILE" describes it).

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/args.h"
#include "comm/clock.h"
#include "comm/transport.h"
#include "core/scripted_user_interface.h"
#include "sim/sim_scenario.h"

namespace rer::cli {

// Answers questions from the options and shows every box on stderr.
class CommandLineUserInterface : public ScriptedUserInterface {
 public:
  int ShowMessageBox(const MessageBox& box) override;
  // Where the boxes and the command's own remarks go (standard error
  // unless set): a cradle of a run over several ports names its port there.
  void SetErrorStream(std::ostream& err) { err_ = &err; }
  std::ostream& Err() const { return *err_; }

 private:
  std::ostream* err_ = &std::cerr;
};

// "0x84" style text of a byte.
std::string HexByte(std::uint8_t value);

// An open session on one port: the transport and the clock that go with it.
class SessionPort {
 public:
  virtual ~SessionPort() = default;
  virtual Transport& transport() = 0;
  virtual Clock& clock() = 0;
};

// The simulated pager a command serves: the scenario file when one is given
// (a file without an image is a pager with a blank codeplug), otherwise a
// pager holding the demonstration codeplug, so that a read shows plausible
// settings and the codeplug read can be programmed straight back. `model`
// replaces the model code of either. Nothing, with `error` set, when the file
// cannot be used.
std::optional<SimScenario> SimulatedPagerScenario(const std::optional<std::string>& scenarioFile,
                                                  std::optional<std::uint8_t> model,
                                                  std::string& error);

// Opens PORT as the options give it (`--port`, `--scenario`). Nothing, with
// `error` set, when the port text or the scenario is not usable; the port
// itself is opened by the link run, as for every operation.
std::unique_ptr<SessionPort> OpenSessionPort(const std::string& port, const Args& args,
                                             UserInterface& ui, std::string& error);

// The same for one cradle of a run over several ports, on which the caller
// keeps the one application object that the serial ports need.
std::unique_ptr<SessionPort> OpenCradlePort(const std::string& port, const Args& args,
                                            UserInterface& ui, std::string& error);

}  // namespace rer::cli
