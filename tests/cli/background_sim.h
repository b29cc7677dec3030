#pragma once
// rer-cli sim serving a pseudo-terminal in a child process, for the tests
// that run in real time; stopped with SIGTERM when the test ends.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace rer::cli::testing {

class BackgroundSim {
 public:
  explicit BackgroundSim(std::vector<std::string> arguments) {
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      static char program[] = RER_CLI_PATH;
      argv.push_back(program);
      for (auto& a : arguments) argv.push_back(a.data());
      argv.push_back(nullptr);
      if (!freopen("/dev/null", "w", stdout)) _exit(126);
      execv(RER_CLI_PATH, argv.data());
      _exit(127);
    }
  }
  ~BackgroundSim() {
    if (pid_ > 0 && exitCode_ < 0) Stop();
  }
  BackgroundSim(const BackgroundSim&) = delete;
  BackgroundSim& operator=(const BackgroundSim&) = delete;

  // Waits until `path` exists (the pseudo-terminal is up).
  bool WaitForLink(const std::string& path) const {
    for (int i = 0; i < 250; ++i) {
      struct stat info {};
      if (lstat(path.c_str(), &info) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Stops the simulator; its exit code, or 128 + the signal that ended it.
  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
};

}  // namespace rer::cli::testing
