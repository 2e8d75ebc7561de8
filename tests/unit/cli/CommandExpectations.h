// How a refused command answers (its exit status, nothing on standard output and one line on
// standard error), and rows of words the client refuses by itself or sends on.
#pragma once

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/cli/CommandLine.h"
#include "core/cli/CommandOutcome.h"

namespace dovrik::cli {

inline std::string spaced(const std::vector<std::string>& words) {
  return std::accumulate(words.begin() + 1, words.end(), words.front(),
                         [](std::string all, const std::string& word) { return all + " " + word; });
}

inline void expectFailure(const CommandOutcome& outcome, int exitCode, const std::string& line) {
  EXPECT_EQ(outcome.exitCode, exitCode);
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_EQ(outcome.err, line + "\n");
}

// Words the client refuses by itself as wrong usage, named for what is wrong with them.
struct RefusedWords {
  const char* name;
  std::vector<std::string> words;
};

// Each row is answered in the client with the usage error's exit status.
inline void expectRefusedInTheClient(const std::vector<RefusedWords>& rows) {
  for (const RefusedWords& row : rows) {
    SCOPED_TRACE(row.name);
    const Invocation parsed = parseCommandLine(row.words, "1");
    EXPECT_EQ(parsed.action, Invocation::Action::answerHere);
    EXPECT_EQ(parsed.outcome.exitCode, 2);
  }
}

// Words the client answers by itself with one line after `dovrik COMMAND: `.
struct UsageError {
  std::vector<std::string> words;
  std::string line;
};

inline void expectUsageErrors(const std::vector<UsageError>& rows) {
  for (const UsageError& row : rows) {
    SCOPED_TRACE(spaced(row.words));
    const Invocation invocation = parseCommandLine(row.words, "1");
    EXPECT_EQ(invocation.action, Invocation::Action::answerHere);
    expectFailure(invocation.outcome, 2, "dovrik " + row.words[0] + ": " + row.line);
  }
}

// Each list of words passes the client's checks and goes on to the running Dovrik.
inline void expectForwarded(const std::vector<std::vector<std::string>>& lists) {
  for (const std::vector<std::string>& words : lists)
    EXPECT_EQ(parseCommandLine(words, "1").action, Invocation::Action::forward) << spaced(words);
}

}  // namespace dovrik::cli
