// The system's iconv program: the reference conversions are held to, and how the tests make
// scripts in legacy code pages and UTF-16 from UTF-8 ones.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/common/process.h"

namespace nosk::testsupport {

// What `iconv -f from -t to` makes of `bytes`.
inline std::string Iconv(const std::string& bytes, const std::string& from, const std::string& to) {
  const ProcessResult result = RunProcess("iconv", {"-f", from, "-t", to}, bytes);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  return result.out;
}

}  // namespace nosk::testsupport
