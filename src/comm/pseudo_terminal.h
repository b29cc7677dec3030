#pragma once
// A pseudo-terminal pair that stands in for a serial cable: the driver opens
// the slave side as if it were a COM port, while a simulated pager (or a test)
// serves the master side. POSIX only.

#ifndef _WIN32

#include <memory>
#include <string>

namespace rer {

class PseudoTerminal {
 public:
  // Opens a new pair in raw mode. When `linkPath` is given, a symbolic link of
  // that name is made to point at the slave (an old link there is replaced).
  // Returns null when the system refuses any step.
  static std::unique_ptr<PseudoTerminal> Create(const std::string& linkPath = "");

  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The device side; -1 once CloseMaster has been called.
  int masterFd() const { return masterFd_; }
  // The path a serial driver opens, e.g. /dev/pts/4.
  const std::string& slavePath() const { return slavePath_; }
  // The symbolic link made by Create, or empty.
  const std::string& linkPath() const { return linkPath_; }

  // Hangs up the device side, as when a cable is pulled out. The slave then
  // reports end of line to whoever holds it open.
  void CloseMaster();

 private:
  PseudoTerminal(int masterFd, std::string slavePath, std::string linkPath);

  int masterFd_;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace rer

#endif  // _WIN32
