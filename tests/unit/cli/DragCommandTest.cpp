// `dovrik drag restore-size [on|off]`: the words checked in the client, the switch read and set
// in the running Dovrik.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

TEST(DragCommandTest, ReadsAndSwitchesRestoringTheSizeAndRefusesOtherWords) {
  expectRefusedInTheClient({{"no verb", {"drag"}},
                            {"unknown verb", {"drag", "restore"}},
                            {"neither on nor off", {"drag", "restore-size", "yes"}},
                            {"on and off", {"drag", "restore-size", "on", "off"}}});
  EXPECT_EQ(parseCommandLine({"drag", "restore-size", "off"}, "1").action,
            Invocation::Action::forward);

  test::SimWorld world;
  App app{world.platform};
  app.start();
  const auto ask = [&](const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  };
  EXPECT_EQ(ask({"drag", "restore-size"}), CommandOutcome::done("on\n"));
  EXPECT_EQ(ask({"drag", "restore-size", "off"}), CommandOutcome::done("off\n"));
  EXPECT_FALSE(app.appState().restoreSizeOnDrag());
  EXPECT_EQ(ask({"drag", "restore-size"}), CommandOutcome::done("off\n"));
  EXPECT_EQ(ask({"drag", "restore-size", "on"}), CommandOutcome::done("on\n"));
}

}  // namespace
}  // namespace dovrik::cli
