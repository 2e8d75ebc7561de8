// `dovrik shelf`: paths resolved against the caller's folder, entry numbers, and what each
// verb shows or changes.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

class ShelfCommandTest : public ::testing::Test, public test::SimWorld {
 protected:
  ShelfCommandTest() {
    for (const char* path : {"/home/u/a b.txt", "/home/u/Docs/c.txt"})
      sim.files.put(path, Bytes{1});
    app.start();
  }
  CommandOutcome ask(const std::vector<std::string>& words, const std::string& cwd = "/home/u") {
    return testing::answerNow(app, encodeRequest(words, cwd));
  }
  static CommandOutcome failed(const std::string& line) {
    return CommandOutcome::failure(ExitStatus::failed, line);
  }
  App app{platform};
};

TEST_F(ShelfCommandTest, AddResolvesRelativePathsAndAddsNothingWhenOnePathIsMissing) {
  EXPECT_EQ(ask({"shelf", "add", "a b.txt", "nothing/../missing"}),
            failed("There is no file or folder at /home/u/missing; nothing was added to the "
                   "file shelf."));
  EXPECT_EQ(ask({"shelf", "add", "Docs/c.txt"}, ""),
            failed("\"Docs/c.txt\" is relative and the request did not say where from; give the "
                   "full path."));
  EXPECT_EQ(ask({"shelf", "list"}), CommandOutcome::done("The file shelf is empty.\n"));

  EXPECT_EQ(ask({"shelf", "add", "a b.txt", "/home/u/Docs/"}, "/home/u/Docs/.."),
            CommandOutcome::done());
  clock.advanceBy(90);
  EXPECT_EQ(ask({"shelf", "list"}), CommandOutcome::done("1   folder — 1m ago — /home/u/Docs\n"
                                                         "2   file — 1m ago — /home/u/a b.txt\n"));
  EXPECT_EQ(ask({"shelf", "list", "--json"}).out,
            *encodeFileShelfItems(app.fileShelfManager().items()) + "\n");

  const Invocation noPath = parseCommandLine({"shelf", "add"}, "1");
  EXPECT_EQ(noPath.outcome, CommandOutcome::failure(ExitStatus::usage,
                                                    "dovrik shelf: usage: dovrik shelf add "
                                                    "PATH..."));
  EXPECT_EQ(ask({"shelf", "add", std::string("a b.txt\0x", 9)}).exitCode,
            static_cast<int>(ExitStatus::usage));
}

TEST_F(ShelfCommandTest, PasteNeedsTheFileAndWindowControlPinRemoveAndClearChangeTheShelf) {
  desktop.setTrusted(true);
  app.accessibilityTrust().apply(true);
  ASSERT_EQ(ask({"shelf", "add", "a b.txt", "Docs/c.txt"}), CommandOutcome::done());
  EXPECT_EQ(ask({"shelf", "paste", "2"}), CommandOutcome::done());
  EXPECT_EQ(sim.pasteboard.text(), "/home/u/a b.txt");

  sim.files.move("/home/u/Docs/c.txt", "/elsewhere/c.txt");
  EXPECT_EQ(ask({"shelf", "paste", "1"}),
            failed("The file of entry 1 is missing: /home/u/Docs/c.txt; the clipboard was left "
                   "as it was."));
  EXPECT_EQ(sim.shell.beeps, 1);
  EXPECT_EQ(ask({"shelf", "paste", "3"}), failed("There is no entry 3; N is from 1 to 2."));

  EXPECT_EQ(ask({"shelf", "pin", "2"}), CommandOutcome::done("Entry 2 is pinned.\n"));
  EXPECT_EQ(ask({"shelf", "clear"}), CommandOutcome::done());
  EXPECT_EQ(ask({"shelf", "list"}),
            CommandOutcome::done("1 * file — Just now — /home/u/a b.txt\n"));
  EXPECT_EQ(ask({"shelf", "remove", "1"}), CommandOutcome::done());
  EXPECT_EQ(ask({"shelf", "pin", "1"}), failed("There is no entry 1; the file shelf is empty."));

  desktop.setTrusted(false);
  app.accessibilityTrust().apply(false);
  EXPECT_EQ(ask({"shelf", "paste", "1"}), failed(desktop.untrustedReason()));
  app.appState().setFileShelfEnabled(false);
  EXPECT_EQ(ask({"shelf", "list"}), failed("The file shelf is off; switch it on in the settings."));
}

}  // namespace
}  // namespace dovrik::cli
