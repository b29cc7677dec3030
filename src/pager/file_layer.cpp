#include "pager/file_layer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace rer {
namespace {

constexpr mode_t kNewFileMode = 0666;

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileLayer : public FileLayer {
 public:
  std::optional<std::string> CreateTemporary(const std::string& target) override {
    std::vector<char> name(target.begin(), target.end());
    const std::string_view suffix = ".tmp-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    fd_ = mkstemp(name.data());
    if (fd_ < 0) return Fail();
    // The new file gets the rights the old one had, or those a newly
    // created file would get: mkstemp makes it readable by its owner only.
    struct stat old {};
    mode_t mode = 0;
    if (stat(target.c_str(), &old) == 0) {
      mode = old.st_mode & 07777;
    } else {
      const mode_t mask = umask(0);
      umask(mask);
      mode = kNewFileMode & ~mask;
    }
    fchmod(fd_, mode);
    return std::string(name.data());
  }

  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        if (n == 0) errno = ENOSPC;
        Fail();
        return false;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }

  bool FlushAndClose() override {
    const bool synced = fsync(fd_) == 0;
    if (!synced) Fail();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
      Fail();
      return false;
    }
    return synced;
  }

  void Abandon() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  std::optional<std::string> ReadAll(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail();
    std::string text;
    char buffer[kSafeWriteChunk];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        Fail();
        ::close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
  }

  bool Replace(const std::string& temporary, const std::string& target) override {
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
      Fail();
      return false;
    }
    // The new name must reach the disk too, or a power cut could bring the
    // old file back, or none.
    const int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      fsync(dir);
      ::close(dir);
    }
    return true;
  }

  void Remove(const std::string& path) override { ::unlink(path.c_str()); }

 private:
  std::nullopt_t Fail() {
    SetReason(std::strerror(errno));
    return std::nullopt;
  }

  int fd_ = -1;
};

}  // namespace

FileLayer& SystemFileLayer() {
  static PosixFileLayer layer;
  return layer;
}

bool WriteFileSafely(const std::string& path, std::string_view text, FileLayer& layer,
                     const std::function<bool(std::string_view)>& accept, std::string* reason) {
  const auto report = [&](std::string why) {
    if (reason) *reason = std::move(why);
    return false;
  };
  const auto temporary = layer.CreateTemporary(path);
  if (!temporary) return report(layer.reason());

  bool written = true;
  for (std::size_t at = 0; written && at < text.size(); at += kSafeWriteChunk) {
    const std::size_t n = std::min(kSafeWriteChunk, text.size() - at);
    written = layer.Write(text.data() + at, n);
  }
  if (!written) {
    const std::string why = layer.reason();
    layer.Abandon();
    layer.Remove(*temporary);
    return report(why);
  }
  if (!layer.FlushAndClose()) {
    const std::string why = layer.reason();
    layer.Remove(*temporary);
    return report(why);
  }
  // What the disk gives back is what counts: a file system that accepted
  // the writes but kept less must not replace a good file.
  const auto back = layer.ReadAll(*temporary);
  std::string why;
  if (!back) {
    why = layer.reason();
  } else if (*back != text) {
    why = "the file read back differs from what was written";
  } else if (accept && !accept(*back)) {
    why = "the file read back is not a codeplug";
  }
  if (why.empty() && !layer.Replace(*temporary, path)) why = layer.reason();
  if (!why.empty()) {
    layer.Remove(*temporary);
    return report(why);
  }
  return true;
}

}  // namespace rer
