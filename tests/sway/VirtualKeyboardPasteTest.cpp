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
  wayland::VirtualKeyboardKeySynth keys(connection);
  ASSERT_TRUE(keys.isAvailable());
  EXPECT_FALSE(keys.modifiersHeld());
  ASSERT_TRUE(connection.roundtrip());
  const auto window =
      sessiontest::startQtWindow(session(), "Paste target", "org.dovrik.SwayTestWindow");
  ASSERT_EQ(sessiontest::awaitOutput(*window, "active"), "active");

  std::vector<std::string> said;
  for (const std::string text : {"first paste", "second paste"}) {
    const auto source = copy(text);
    keys.postPaste(PasteChord::ControlV);
    const auto lines = sessiontest::linesThrough(*window, "pasted-text");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "pasted-text " + text);
    said.insert(said.end(), lines.begin(), lines.end());
  }
  // The keyboard joined the seat once, and the window kept the focus throughout.
  EXPECT_EQ(keyboards(), before + 1);
  EXPECT_EQ(std::ranges::count(said, "inactive"), 0) << testing::PrintToString(said);
}

}  // namespace
}  // namespace dovrik::swaytest
