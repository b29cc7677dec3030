#pragma once
// The console of a run over several cradles: every cradle's lines come out
// whole, after its port's name, and standard input tells a waiting cradle
// that its next pager is in.

#include <condition_variable>
#include <deque>
#include <istream>
#include <mutex>
#include <ostream>
#include <set>
#include <streambuf>
#include <string>
#include <vector>

namespace rer::cli {

// One output stream shared by the cradles: a line is written whole, so two
// cradles' lines never run into each other.
class SharedLines {
 public:
  explicit SharedLines(std::ostream& out) : out_(out) {}
  void Write(const std::string& line);

 private:
  std::mutex mutex_;
  std::ostream& out_;
};

// A stream of one cradle: each line goes to `lines` after "PORT: ".
class PortStream : public std::ostream {
 public:
  PortStream(SharedLines& lines, const std::string& port);
  ~PortStream() override;

 private:
  class Buffer : public std::streambuf {
   public:
    Buffer(SharedLines& lines, std::string prefix) : lines_(lines), prefix_(std::move(prefix)) {}
    // What is left when the stream ends without a line break.
    void FlushRest();

   protected:
    int_type overflow(int_type c) override;

   private:
    SharedLines& lines_;
    std::string prefix_;
    std::string line_;
  };
  Buffer buffer_;
};

// Where cradles wait for their next pager. Each line read from `in` lets one
// waiting cradle go on: an empty line the one that has waited longest, a
// port's name (or its number in the order the ports were given) that port's.
class CradleWaits {
 public:
  CradleWaits(std::istream& in, std::vector<std::string> ports, SharedLines& err)
      : in_(in), ports_(std::move(ports)), err_(err) {}
  // Blocks until a line lets `port` go on; false once `in` has ended.
  bool Wait(const std::string& port);

 private:
  // With the lock held: lets the cradle that `line` names go on.
  void Dispatch(const std::string& line);

  std::istream& in_;
  const std::vector<std::string> ports_;
  SharedLines& err_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> waiting_;
  std::set<std::string> released_;
  bool reading_ = false;  // one waiting cradle reads for all of them
  bool closed_ = false;
};

}  // namespace rer::cli
