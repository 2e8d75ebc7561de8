// Pasting into real terminals with the real agent: xterm, which pastes the primary selection with
// Shift+Insert, and xfce4-terminal, a TerminalEmulator that pastes with Ctrl+Shift+V. Each runs a
// shell that reads the typed bytes into a file, so the test sees what the terminal received.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AgentTest.h"
#include "ClipboardClient.h"

namespace dovrik::x11test {
namespace {

enum class Terminal { xterm, xfce4Terminal };
enum class Way { command, popup };

class TerminalPasteTest : public AgentTest {
 protected:
  void SetUp() override {
    AgentTest::SetUp();
    ASSERT_TRUE(startAgent());
    owner_ = std::make_unique<ClipboardClient>(server->display());
  }
  void TearDown() override {
    owner_.reset();
    if (HasFailure())
      std::cerr << "terminal output:\n" << contents("terminal.log") << "\n";
    AgentTest::TearDown();
  }

  // Another application copies `text`; true once the agent lists it.
  bool copy(const std::string& text) { return copyListed(*owner_, text); }

  // Starts the terminal with a shell that, once it says it is ready, reads `bytes` bytes as
  // they are typed (no line needed: xfce4-terminal asks before pasting a line break) into the
  // file "received". True once the terminal is the active window and its shell reads.
  bool startTerminal(Terminal terminal, std::size_t bytes) {
    const std::string script = "stty -icanon -echo; : > ready; head -c " + std::to_string(bytes) +
                               " > received.part && mv received.part received";
    // Without --disable-server a second xfce4-terminal hands its window to a running one over
    // the session bus, and the process started here would not be the window's.
    const std::vector<std::string> args =
        terminal == Terminal::xterm
            ? std::vector<std::string>{"-T", "paste test", "-e", "sh", "-c", script}
            : std::vector<std::string>{
                  "--disable-server", "-T", "paste test", "-x", "sh", "-c", script};
    const pid_t pid =
        startProgram(terminal == Terminal::xterm ? "/usr/bin/xterm" : "/usr/bin/xfce4-terminal",
                     args, "terminal.log");
    xcb_window_t window = XCB_NONE;
    return client->waitFor([&] { return (window = clientWindowOf(pid)) != XCB_NONE; }, 20) &&
           client->activate(window) &&
           client->waitFor([&] { return std::filesystem::exists(session_ + "/ready"); }, 10);
  }

  // Copies `text`, starts the terminal and pastes the entry into it the `way` given; what the
  // terminal's shell read.
  std::string pasteInto(Terminal terminal, Way way, const std::string& text) {
    if (!copy(text) || !startTerminal(terminal, text.size()))
      return "(no terminal)";
    if (way == Way::command) {
      const Finished pasted = run({"clipboard", "paste", "1"});
      EXPECT_EQ(pasted.status, 0) << pasted.err;
    } else {
      const Finished opened = run({"clipboard", "popup"});
      EXPECT_EQ(opened.status, 0) << opened.err;
      if (!client->waitFor([&] { return popupShown(); }))
        return "(no popup)";
      EXPECT_EQ(server->run({"xdotool", "key", "Return"}), 0);
    }
    client->waitFor([&] { return std::filesystem::exists(session_ + "/received"); }, 10);
    return contents("received");
  }

  std::unique_ptr<ClipboardClient> owner_;
};

TEST_F(TerminalPasteTest, PasteCommandReachesXtermThroughThePrimarySelection) {
  EXPECT_EQ(pasteInto(Terminal::xterm, Way::command, "pasted into xterm"), "pasted into xterm");
}

TEST_F(TerminalPasteTest, PopupReturnReachesXterm) {
  EXPECT_EQ(pasteInto(Terminal::xterm, Way::popup, "chosen for xterm"), "chosen for xterm");
}

TEST_F(TerminalPasteTest, PasteCommandReachesXfceTerminalWithControlShiftV) {
  EXPECT_EQ(pasteInto(Terminal::xfce4Terminal, Way::command, "pasted into xfce4-terminal"),
            "pasted into xfce4-terminal");
}

TEST_F(TerminalPasteTest, PopupReturnReachesXfceTerminal) {
  EXPECT_EQ(pasteInto(Terminal::xfce4Terminal, Way::popup, "chosen for xfce4-terminal"),
            "chosen for xfce4-terminal");
}

}  // namespace
}  // namespace dovrik::x11test
