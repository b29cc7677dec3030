#include "sim/sim_server.h"

#ifndef _WIN32

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

namespace rer {
namespace {

// How often the stop flag is looked at while the line is quiet.
constexpr int kPollMs = 20;
// While nobody holds the other side open the device reports a hang-up at
// once; wait this long before looking again instead of spinning.
constexpr auto kHangUpPause = std::chrono::milliseconds(10);

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

bool SimServer::Flush() {
  std::vector<std::uint8_t> out;
  while (pager_.HasOutput()) out.push_back(pager_.PopOutput().value);
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::write(masterFd_, out.data() + done, out.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
      // Nobody is listening on the other side: the bytes are lost, as on a
      // line without a port open.
      return errno == EIO;
    }
  }
  return true;
}

bool SimServer::Serve(const std::atomic<bool>& stop) {
  std::uint8_t buffer[256];
  while (!stop.load()) {
    pollfd watch{masterFd_, POLLIN, 0};
    const int ready = ::poll(&watch, 1, kPollMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0) continue;
    if (watch.revents & POLLNVAL) return false;
    if (!(watch.revents & POLLIN)) {
      std::this_thread::sleep_for(kHangUpPause);
      continue;
    }
    const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EIO) return false;
      std::this_thread::sleep_for(kHangUpPause);
      continue;
    }
    const std::int64_t now = NowMs();
    for (ssize_t i = 0; i < n; ++i) {
      // A pseudo-terminal carries no line speed, so speeds are not checked.
      pager_.Receive(buffer[i], now, 0);
      if (!Flush()) return false;
    }
  }
  return true;
}

}  // namespace rer

#endif  // _WIN32
