#include "cli/cradle_console.h"

#include <algorithm>

#include "core/text.h"

namespace rer::cli {

void SharedLines::Write(const std::string& line) {
  std::lock_guard lock(mutex_);
  out_ << line;
  out_.flush();
}

PortStream::PortStream(SharedLines& lines, const std::string& port)
    : std::ostream(nullptr), buffer_(lines, port + ": ") {
  rdbuf(&buffer_);
}

PortStream::~PortStream() {
  buffer_.FlushRest();
}

PortStream::Buffer::int_type PortStream::Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  line_ += traits_type::to_char_type(c);
  if (line_.back() == '\n') {
    lines_.Write(prefix_ + line_);
    line_.clear();
  }
  return c;
}

void PortStream::Buffer::FlushRest() {
  if (line_.empty()) return;
  lines_.Write(prefix_ + line_ + "\n");
  line_.clear();
}

bool CradleWaits::Wait(const std::string& port) {
  std::unique_lock lock(mutex_);
  waiting_.push_back(port);
  for (;;) {
    if (released_.erase(port) > 0) return true;
    if (closed_) {
      std::erase(waiting_, port);
      return false;
    }
    if (reading_) {
      changed_.wait(lock);
      continue;
    }
    // Nobody reads: this cradle reads the next line for whichever it names.
    reading_ = true;
    lock.unlock();
    std::string line;
    const bool read = static_cast<bool>(std::getline(in_, line));
    lock.lock();
    reading_ = false;
    if (read) {
      Dispatch(Trim(line));
    } else {
      closed_ = true;
    }
    changed_.notify_all();
  }
}

void CradleWaits::Dispatch(const std::string& line) {
  std::string port = line;
  if (line.empty()) {
    port = waiting_.front();  // the reader waits itself, so someone does
  } else if (std::find(ports_.begin(), ports_.end(), line) == ports_.end()) {
    // A number names the port given in that place.
    const bool digits = line.size() < 4 && std::all_of(line.begin(), line.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    const std::size_t index = digits ? std::stoul(line) : 0;
    if (index >= 1 && index <= ports_.size()) port = ports_[index - 1];
  }
  const auto waiting = std::find(waiting_.begin(), waiting_.end(), port);
  if (waiting == waiting_.end()) {
    err_.Write("program: no cradle waits on \"" + line + "\"\n");
    return;
  }
  waiting_.erase(waiting);
  released_.insert(port);
}

}  // namespace rer::cli
