// Safe writes of codeplug files: whatever step fails, the file that was
// there stays as it was and nothing is left beside it.

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "pager/codeplug_file.h"
#include "pager/file_layer.h"
#include "temp_path.h"

namespace rer {
namespace {

std::string CodeplugText(std::uint8_t model, std::uint8_t fill) {
  std::array<std::uint8_t, 4096> image{};
  image.fill(fill);
  image[1] = model;
  return FormatCodeplugFile(image, {0, true, model});
}

// The machine's file system, with one step made to fail as a full disk
// would: the n-th write, the flush, or a read-back that keeps less.
class FailingLayer : public FileLayer {
 public:
  int failWrite = 0;  // 1-based; 0: no write fails
  bool failFlush = false;
  bool truncateReadBack = false;
  int writes = 0;

  std::optional<std::string> CreateTemporary(const std::string& target) override {
    temporary_ = system_.CreateTemporary(target);
    return temporary_;
  }
  bool Write(const char* data, std::size_t size) override {
    if (++writes == failWrite) return Fail();
    return system_.Write(data, size);
  }
  bool FlushAndClose() override {
    const bool closed = system_.FlushAndClose();
    return failFlush ? Fail() : closed;
  }
  void Abandon() override { system_.Abandon(); }
  std::optional<std::string> ReadAll(const std::string& path) override {
    auto text = system_.ReadAll(path);
    if (text && truncateReadBack) text->resize(text->size() / 2);
    return text;
  }
  bool Replace(const std::string& temporary, const std::string& target) override {
    return system_.Replace(temporary, target);
  }
  void Remove(const std::string& path) override { system_.Remove(path); }

  const std::optional<std::string>& temporary() const { return temporary_; }

 private:
  bool Fail() {
    SetReason(std::strerror(ENOSPC));
    return false;
  }
  FileLayer& system_ = SystemFileLayer();
  std::optional<std::string> temporary_;
};

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

TEST(SafeWrite, AnyFailedStepLeavesTheOldFileAndNoTemporary) {
  const std::string path = rer::testing::TempPath("safe_fail.cp");
  const std::string old = CodeplugText(0x84, 0x11);
  const std::string next = CodeplugText(0x84, 0x22);
  ASSERT_GT(next.size(), 2 * kSafeWriteChunk);  // so that there is a second and third write

  struct Case {
    const char* what;
    int failWrite;
    bool failFlush;
    bool truncate;
  };
  const Case cases[] = {
      {"first write", 1, false, false},
      {"third write", 3, false, false},
      {"flush", 0, true, false},
      {"short read-back", 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteCodeplugFileSafely(path, old));
    FailingLayer layer;
    layer.failWrite = c.failWrite;
    layer.failFlush = c.failFlush;
    layer.truncateReadBack = c.truncate;
    std::string reason;
    EXPECT_FALSE(WriteCodeplugFileSafely(path, next, layer, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadTextFile(path).value_or(""), old);
    ASSERT_TRUE(layer.temporary().has_value());
    EXPECT_FALSE(Exists(*layer.temporary()));
  }
  FailingLayer untouched;
  EXPECT_TRUE(WriteCodeplugFileSafely(path, next, untouched));
  EXPECT_EQ(ReadTextFile(path).value_or(""), next);
  std::remove(path.c_str());
}

TEST(SafeWrite, TextThatIsNoCodeplugNeverReplacesACodeplug) {
  const std::string path = rer::testing::TempPath("safe_notcp.cp");
  const std::string old = CodeplugText(0x81, 0x33);
  ASSERT_TRUE(WriteCodeplugFileSafely(path, old));
  std::string reason;
  EXPECT_FALSE(WriteCodeplugFileSafely(path, old.substr(0, old.size() / 2), &reason));
  EXPECT_NE(reason.find("not a codeplug"), std::string::npos) << reason;
  EXPECT_EQ(ReadTextFile(path).value_or(""), old);
  std::remove(path.c_str());
}

TEST(SafeWrite, KeepsTheRightsOfTheFileItReplaces) {
  const std::string path = rer::testing::TempPath("safe_mode.cp");
  ASSERT_TRUE(WriteCodeplugFileSafely(path, CodeplugText(0x84, 1)));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteCodeplugFileSafely(path, CodeplugText(0x84, 2)));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  std::remove(path.c_str());
}

TEST(SafeWrite, NameThatIsNoValidTextIsWrittenUnderItsOwnBytes) {
  const std::string path = rer::testing::TempPath("name_\xFE_x.cp");
  const std::string text = CodeplugText(0x84, 0x44);
  ASSERT_TRUE(WriteCodeplugFileSafely(path, text));
  std::ifstream in(path, std::ios::binary);  // opened by the very same bytes
  ASSERT_TRUE(in.good());
  EXPECT_EQ(ReadTextFile(path).value_or(""), text);
  std::remove(path.c_str());
}

// A real full disk: a 16 KB tmpfs holding a 4 KB codeplug file has no room
// for the second copy a safe write needs. Needs the right to mount.
TEST(SafeWrite, FullDiskLeavesTheOldFile) {
  std::string dir = rer::testing::TempPath("tmpfs_XXXXXX");
  if (!mkdtemp(dir.data())) GTEST_SKIP() << "no temporary folder";
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=16k") != 0) {
    rmdir(dir.c_str());
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  }
  const std::string path = dir + "/existing.cp";
  const std::string old = CodeplugText(0x84, 0x55);
  ASSERT_TRUE(WriteCodeplugFileSafely(path, old));
  std::string reason;
  EXPECT_FALSE(WriteCodeplugFileSafely(path, CodeplugText(0x84, 0x66), &reason));
  EXPECT_EQ(reason, std::strerror(ENOSPC));
  EXPECT_EQ(ReadTextFile(path).value_or(""), old);
  int entries = 0;
  if (DIR* d = opendir(dir.c_str())) {
    while (const dirent* e = readdir(d)) entries += e->d_name[0] != '.';
    closedir(d);
  }
  EXPECT_EQ(entries, 1);  // no temporary file left behind
  umount(dir.c_str());
  rmdir(dir.c_str());
}

}  // namespace
}  // namespace rer
