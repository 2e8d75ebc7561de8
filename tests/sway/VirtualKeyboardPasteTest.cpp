// Dovrik's virtual keyboard under sway: Ctrl+V reaches the focused Qt window, which pastes what
// another client copied, and the same keyboard serves every paste of the session.
#include <string>
#include <vector>

#include "SessionClients.h"
#include "SwayTest.h"
#include "linux/wayland/VirtualKeyboardKeySynth.h"

namespace dovrik::swaytest {
namespace {

using sessiontest::ChildLaunch;
using sessiontest::ChildProcess;

class VirtualKeyboardPasteTest : public SwayTest {
 protected:
  // Sets the clipboard the way a user's program does, and waits until sway hands it out.
  std::unique_ptr<ChildProcess> copy(const std::string& text) const {
    ChildLaunch launch;
    launch.argv = {"wl-copy", "--foreground", text};
    auto source = session().launch(launch);
    const bool held = sessiontest::await(
        [&] {
          ChildLaunch paste;
          paste.argv = {"wl-paste", "--no-newline"};
          paste.pipeOutput = true;
          return session().launch(paste)->readAll(std::chrono::seconds(2)) == text;
        },
        std::chrono::seconds(10));
    EXPECT_TRUE(held) << "the clipboard never held " << text;
    return source;
  }
  // The keyboards sway has on its seat.
  static int keyboards() {
    int count = 0;
    for (const auto& input : session().message("get_inputs"))
      count += input.value("type", "") == "keyboard";
    return count;
  }
};

TEST_F(VirtualKeyboardPasteTest, OneKeyboardPastesEveryTimeIntoTheFocusedQtWindow) {
  const int before = keyboards();
  wayland::WaylandConnection connection(
      (session().runtimeDir() + "/" + session().waylandDisplay()).c_str());
  auto keys = std::make_unique<wayland::VirtualKeyboardKeySynth>(connection);
  ASSERT_TRUE(keys->isAvailable());
  EXPECT_FALSE(keys->modifiersHeld());
  ASSERT_TRUE(connection.roundtrip());
  EXPECT_EQ(keyboards(), before + 1);
  const auto window =
      sessiontest::startQtWindow(session(), "Paste target", "org.dovrik.SwayTestWindow");
  ASSERT_EQ(sessiontest::awaitOutput(*window, "active"), "active");
  // sway answers a subscription to ticks with a first tick: from then on, the seat is watched.
  ChildLaunch watch;
  watch.argv = {"swaymsg", "--raw", "--monitor", "--type", "subscribe", R"(["input", "tick"])"};
  watch.pipeOutput = true;
  const auto seat = session().launch(watch);
  ASSERT_EQ(sessiontest::awaitOutput(*seat, "{"), R"({ "first": true, "payload": "" })");

  for (const std::string text : {"first paste", "second paste"}) {
    const auto source = copy(text);
    keys->postPaste(PasteChord::ControlV);
    const auto said = sessiontest::linesThrough(*window, "pasted-text");
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back(), "pasted-text " + text) << testing::PrintToString(said);
  }
  // No device joined or left the seat until the keyboard went with its owner.
  keys.reset();
  ASSERT_TRUE(connection.roundtrip());
  ASSERT_TRUE(session().message("send_tick", "seen").value("success", false));
  const auto events = sessiontest::linesThrough(*seat, R"({ "first": false, "payload": "seen" })");
  ASSERT_EQ(events.size(), 2u) << testing::PrintToString(events);
  EXPECT_EQ(nlohmann::json::parse(events[0]).value("change", ""), "removed") << events[0];
}

}  // namespace
}  // namespace dovrik::swaytest
