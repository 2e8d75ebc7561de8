// How a refused command answers: its exit status, nothing on standard output and one line on
// standard error.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/cli/CommandOutcome.h"

namespace dovrik::cli {

inline void expectFailure(const CommandOutcome& outcome, int exitCode, const std::string& line) {
  EXPECT_EQ(outcome.exitCode, exitCode);
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_EQ(outcome.err, line + "\n");
}

}  // namespace dovrik::cli
