#pragma once
// The cradle's side of a pseudo-terminal for tests: a thread that sends back
// every byte it receives, optionally followed by a reply byte, until stopped.

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace rer {

class EchoPeer {
 public:
  // `reply` maps a received byte to an extra byte sent after its echo.
  explicit EchoPeer(int masterFd,
                    std::function<std::optional<std::uint8_t>(std::uint8_t)> reply = {})
      : fd_(masterFd), reply_(std::move(reply)), thread_([this] { Run(); }) {}
  ~EchoPeer() { Stop(); }

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int received() const { return received_; }

 private:
  void Run() {
    while (!stop_) {
      pollfd watch{fd_, POLLIN, 0};
      if (poll(&watch, 1, 20) <= 0) continue;
      if (!(watch.revents & POLLIN)) return;  // hung up
      std::uint8_t byte = 0;
      if (read(fd_, &byte, 1) != 1) return;
      ++received_;
      if (write(fd_, &byte, 1) != 1) return;
      if (reply_) {
        if (auto extra = reply_(byte); extra && write(fd_, &*extra, 1) != 1) return;
      }
    }
  }

  int fd_;
  std::function<std::optional<std::uint8_t>(std::uint8_t)> reply_;
  std::atomic<bool> stop_{false};
  std::atomic<int> received_{0};
  std::thread thread_;
};

}  // namespace rer
