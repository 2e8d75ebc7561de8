// The running Dovrik's reply to a request that it answers before returning, as every command
// does against the simulated desktop while no animation or late window manager holds it up.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/cli/CommandLine.h"
#include "tests/unit/cli/AnswerNow.h"

namespace dovrik::cli::testing {

inline CommandOutcome answerNow(RunningDovrik& app, std::string_view requestLine) {
  std::optional<std::string> reply;
  answerRequest(app, requestLine, [&reply](std::string line) { reply = std::move(line); });
  EXPECT_TRUE(reply) << "no answer yet to " << requestLine;
  return outcomeOfReply(reply.value_or(""));
}

}  // namespace dovrik::cli::testing
