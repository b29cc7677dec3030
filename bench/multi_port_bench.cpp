// The same sequential run over 1, 2 and 4 cradles, in real time: each cradle
// is a simulated pager that rer-cli sim serves on a pseudo-terminal, and the
// run is rer-cli program with one --port per cradle, as a technician starts
// it. Prints pagers per hour for each and the ratio to one cradle; the
// target is four cradles at least 3.6 times one, since a program sequence
// is almost all protocol pauses in which the host only waits.
//
//   multi_port_bench [PAGERS_PER_CRADLE]   (default 2: about three minutes)

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr double kTargetRatio = 3.6;
constexpr int kCradleCounts[] = {1, 2, 4};

// Starts rer-cli with `arguments`, its output to /dev/null.
pid_t Start(const std::vector<std::string>& arguments) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  std::vector<char*> argv;
  static char program[] = RER_CLI_PATH;
  argv.push_back(program);
  std::vector<std::string> words = arguments;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
  execv(RER_CLI_PATH, argv.data());
  _exit(127);
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool WaitForLink(const std::string& path) {
  for (int i = 0; i < 250; ++i) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

struct Figure {
  int cradles = 0;
  int pagers = 0;
  double seconds = 0;
  double PagersPerHour() const { return pagers * 3600.0 / seconds; }
};

// One run of `cradles * perCradle` pagers over `cradles` fresh simulators.
bool RunOnce(const std::string& folder, const std::string& codeplug, int cradles, int perCradle,
             Figure& figure) {
  std::vector<pid_t> sims;
  std::vector<std::string> program = {"program"};
  for (int c = 0; c < cradles; ++c) {
    const std::string link = folder + "/cradle" + std::to_string(c);
    sims.push_back(Start({"sim", "--link", link}));
    if (!WaitForLink(link)) return false;
    program.push_back("--port");
    program.push_back(link);
  }
  figure.cradles = cradles;
  figure.pagers = cradles * perCradle;
  program.insert(program.end(),
                 {codeplug, "--sequential", std::to_string(figure.pagers), "--no-wait"});
  const auto start = std::chrono::steady_clock::now();
  const int exitCode = Wait(Start(program));
  figure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const pid_t sim : sims) {
    kill(sim, SIGTERM);
    Wait(sim);
  }
  if (exitCode != 0) std::fprintf(stderr, "rer-cli program exited with %d\n", exitCode);
  return exitCode == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int perCradle = argc > 1 ? std::atoi(argv[1]) : 2;
  if (perCradle < 1) {
    std::fprintf(stderr, "usage: multi_port_bench [PAGERS_PER_CRADLE]\n");
    return 2;
  }
  char folderTemplate[] = "/tmp/rer_multi_port_bench_XXXXXX";
  const char* folder = mkdtemp(folderTemplate);
  if (!folder) return 2;
  const std::string codeplug = std::string(folder) + "/demo.cp";
  if (Wait(Start({"read", "--port", "sim", "--no-backup", "-o", codeplug})) != 0) {
    std::fprintf(stderr, "cannot read the demonstration codeplug\n");
    return 2;
  }

  std::vector<Figure> figures;
  for (const int cradles : kCradleCounts) {
    Figure figure;
    if (!RunOnce(folder, codeplug, cradles, perCradle, figure)) return 1;
    figures.push_back(figure);
    std::printf("%d cradle%s: %2d pagers in %6.1f s, %6.1f pagers per hour, %.2f x one cradle\n",
                cradles, cradles == 1 ? " " : "s", figure.pagers, figure.seconds,
                figure.PagersPerHour(), figure.PagersPerHour() / figures.front().PagersPerHour());
    std::fflush(stdout);
  }
  std::remove(codeplug.c_str());
  rmdir(folder);
  const double ratio = figures.back().PagersPerHour() / figures.front().PagersPerHour();
  const bool met = ratio >= kTargetRatio;
  std::printf("target: %d cradles at least %.1f x one cradle: %s (%.2f)\n", figures.back().cradles,
              kTargetRatio, met ? "met" : "NOT met", ratio);
  return met ? 0 : 1;
}
