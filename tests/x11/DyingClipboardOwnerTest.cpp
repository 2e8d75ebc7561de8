// An application that dies while the running `dovrik` reads a large copy from it in INCR chunks:
// nothing half-read reaches the history, and the next copy is recorded as usual.
#include <algorithm>
#include <string>

#include "AgentTest.h"
#include "ClipboardClient.h"

namespace dovrik::x11test {
namespace {

class DyingClipboardOwnerTest : public AgentTest {};

TEST_F(DyingClipboardOwnerTest, AHalfSentCopyIsDroppedAndTheNextOneRecorded) {
  ASSERT_TRUE(startAgent());
  std::string text;
  while (text.size() < 4 * ClipboardClient::chunkSize)
    text += "line " + std::to_string(text.size()) + "\n";
  {
    ClipboardClient dying(server->display());
    dying.own({{"UTF8_STRING", text}});
    ASSERT_TRUE(client->waitFor([&] {
      dying.service();
      return dying.chunksSent >= 2;
    }));
    // Killed as `xkill` would, with the rest of the text never sent.
    xcb_kill_client(client->raw(), dying.window());
    client->sync();
  }
  const Finished during = run({"clipboard", "list"});
  EXPECT_EQ(during.status, 0);
  EXPECT_EQ(during.out, "The clipboard history is empty.\n");

  ClipboardClient next(server->display());
  Finished list;
  EXPECT_TRUE(copyListed(next, "after the crash", &list));
  EXPECT_EQ(std::ranges::count(list.out, '\n'), 1) << list.out;
  EXPECT_TRUE(agentRuns());
}

}  // namespace
}  // namespace dovrik::x11test
