#pragma once
// Temporary file paths for tests. CTest runs each test in its own process and
// several at once, all sharing one temporary folder, so every path carries the
// process id: two tests that pick the same name never touch each other's files.

#include <gtest/gtest.h>
#include <unistd.h>
#include <string>

namespace rer::testing {

inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "rer" + std::to_string(getpid()) + "_" + name;
}

}  // namespace rer::testing
