#pragma once
// The simulated pager on a real line: serves the device side of a
// pseudo-terminal in real time, so the program (or rer-cli) can open the
// other side as if it were a serial port with a cradle on it. POSIX only.

#ifndef _WIN32

#include <atomic>

#include "sim/sim_pager.h"

namespace rer {

class SimServer {
 public:
  SimServer(SimPager& pager, int masterFd) : pager_(pager), masterFd_(masterFd) {}

  // Answers every byte that arrives until `stop` turns true. Returns false
  // when the descriptor fails for good.
  bool Serve(const std::atomic<bool>& stop);

 private:
  bool Flush();

  SimPager& pager_;
  int masterFd_;
};

}  // namespace rer

#endif  // _WIN32
