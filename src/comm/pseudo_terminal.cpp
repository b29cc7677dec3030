#include "comm/pseudo_terminal.h"

#ifndef _WIN32

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace rer {

namespace {

// Removes `path` only when it is a symbolic link, so that a mistyped name can
// never delete a real file.
bool RemoveLinkIfAny(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
  if (!S_ISLNK(info.st_mode)) return false;
  return unlink(path.c_str()) == 0;
}

// True when `path` is a symbolic link that still points at `target`; a link
// that another pair has since taken over is left alone.
bool IsLinkTo(const std::string& path, const std::string& target) {
  char buffer[256];
  ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
  return length >= 0 && std::string(buffer, static_cast<size_t>(length)) == target;
}

}  // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Create(const std::string& linkPath) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return nullptr;

  auto fail = [master]() -> std::unique_ptr<PseudoTerminal> {
    close(master);
    return nullptr;
  };

  if (grantpt(master) != 0 || unlockpt(master) != 0) return fail();
  char name[256];
  if (ptsname_r(master, name, sizeof name) != 0) return fail();

  // Raw on the master side: every byte passes unchanged and without echo,
  // as on a cradle's serial line.
  termios mode{};
  if (tcgetattr(master, &mode) != 0) return fail();
  cfmakeraw(&mode);
  if (tcsetattr(master, TCSANOW, &mode) != 0) return fail();

  if (!linkPath.empty()) {
    if (!RemoveLinkIfAny(linkPath) || symlink(name, linkPath.c_str()) != 0) return fail();
  }
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, name, linkPath));
}

PseudoTerminal::PseudoTerminal(int masterFd, std::string slavePath, std::string linkPath)
    : masterFd_(masterFd), slavePath_(std::move(slavePath)), linkPath_(std::move(linkPath)) {}

PseudoTerminal::~PseudoTerminal() {
  CloseMaster();
  if (!linkPath_.empty() && IsLinkTo(linkPath_, slavePath_)) unlink(linkPath_.c_str());
}

void PseudoTerminal::CloseMaster() {
  if (masterFd_ >= 0) close(masterFd_);
  masterFd_ = -1;
}

}  // namespace rer

#endif  // _WIN32
