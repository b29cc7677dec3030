#include "comm/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace rer {
namespace {

std::string TestLinkPath(const char* tag) {
  return std::string("/tmp/rer-pty-test-") + tag + "-" + std::to_string(getpid());
}

std::string LinkTarget(const std::string& path) {
  char buffer[256];
  const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
  return length < 0 ? std::string() : std::string(buffer, static_cast<size_t>(length));
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

TEST(PseudoTerminalTest, BytesPassUnchangedBetweenTheTwoSides) {
  auto pty = PseudoTerminal::Create();
  ASSERT_NE(pty, nullptr);
  ASSERT_GE(pty->masterFd(), 0);
  const int slave = open(pty->slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);

  // The pair is raw for whoever opens the slave: line-discipline specials
  // (CR, ^C, ^S, DEL) arrive as plain bytes.
  const std::uint8_t sent[] = {'\r', '\n', 0x03, 0x13, 0x7F, 0x00, 0xFF};
  ASSERT_EQ(write(pty->masterFd(), sent, sizeof sent), static_cast<ssize_t>(sizeof sent));
  std::uint8_t received[sizeof sent] = {};
  size_t got = 0;
  while (got < sizeof sent) {
    const ssize_t n = read(slave, received + got, sizeof sent - got);
    ASSERT_GT(n, 0);
    got += static_cast<size_t>(n);
  }
  for (size_t i = 0; i < sizeof sent; ++i) EXPECT_EQ(received[i], sent[i]) << "byte " << i;

  // And nothing comes back on the master side: the pair does not echo.
  const std::uint8_t reply = 0x41;
  ASSERT_EQ(write(slave, &reply, 1), 1);
  std::uint8_t back = 0;
  ASSERT_EQ(read(pty->masterFd(), &back, 1), 1);
  EXPECT_EQ(back, reply);
  close(slave);
}

TEST(PseudoTerminalTest, LinkPointsAtTheSlaveAndGoesWithThePair) {
  const std::string link = TestLinkPath("link");
  {
    auto pty = PseudoTerminal::Create(link);
    ASSERT_NE(pty, nullptr);
    EXPECT_EQ(pty->linkPath(), link);
    EXPECT_EQ(LinkTarget(link), pty->slavePath());
  }
  EXPECT_FALSE(Exists(link));
}

TEST(PseudoTerminalTest, AStaleLinkIsReplaced) {
  const std::string link = TestLinkPath("stale");
  ASSERT_EQ(symlink("/dev/rer-gone", link.c_str()), 0);
  auto pty = PseudoTerminal::Create(link);
  ASSERT_NE(pty, nullptr);
  EXPECT_EQ(LinkTarget(link), pty->slavePath());
}

TEST(PseudoTerminalTest, ARealFileIsNeverReplacedByTheLink) {
  const std::string path = TestLinkPath("file");
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(PseudoTerminal::Create(path), nullptr);
  struct stat info {};
  ASSERT_EQ(lstat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  unlink(path.c_str());
}

TEST(PseudoTerminalTest, ALinkTakenOverByANewerPairSurvivesTheOlderOne) {
  const std::string link = TestLinkPath("takeover");
  auto older = PseudoTerminal::Create(link);
  ASSERT_NE(older, nullptr);
  auto newer = PseudoTerminal::Create(link);
  ASSERT_NE(newer, nullptr);
  older.reset();
  EXPECT_EQ(LinkTarget(link), newer->slavePath());
  newer.reset();
  EXPECT_FALSE(Exists(link));
}

TEST(PseudoTerminalTest, ClosingTheMasterHangsUpTheSlave) {
  auto pty = PseudoTerminal::Create();
  ASSERT_NE(pty, nullptr);
  const int slave = open(pty->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(slave, 0);
  pty->CloseMaster();
  EXPECT_EQ(pty->masterFd(), -1);
  std::uint8_t byte = 0;
  EXPECT_LE(read(slave, &byte, 1), 0);
  close(slave);
}

}  // namespace
}  // namespace rer
