// Paste keystrokes through KWin's fake input: granted by a desktop entry naming the program's
// executable, and reaching the focused Qt Wayland window, which pastes what Dovrik wrote.
#include <filesystem>
#include <fstream>

#include "WaylandSession.h"
#include "linux/wayland/DataControlPasteboard.h"

namespace dovrik::waylandtest {
namespace {

class FakeInputPasteTest : public WaylandTest {
 protected:
  std::unique_ptr<kwintest::ChildProcess> launchKeys() const {
    kwintest::ChildLaunch launch;
    launch.argv = {DOVRIK_PASTE_KEYS};
    launch.pipeInput = true;
    launch.pipeOutput = true;
    return session().launch(launch);
  }
};

TEST_F(FakeInputPasteTest, GrantedByTheDesktopEntryAndPastesIntoTheFocusedWindow) {
  auto refused = launchKeys();
  EXPECT_EQ(awaitLine(*refused, ""), "unavailable");
  refused->stop();

  // KWin compares the first word of Exec=, symbolic links resolved, with the client's
  // /proc/PID/exe: arguments after it and a link to the program are fine.
  namespace fs = std::filesystem;
  const fs::path applications = fs::path(session().home()) / ".local/share/applications";
  fs::create_directories(applications);
  const fs::path link = fs::path(session().home()) / "paste-keys-link";
  fs::create_symlink(DOVRIK_PASTE_KEYS, link);
  std::ofstream(applications / "dovrik-paste-keys.desktop")
      << "[Desktop Entry]\nType=Application\nName=Paste keys\nNoDisplay=true\nExec="
      << link.string() << " --from-entry %u\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n";
  auto window = launchWindow("paste target");
  auto keys = launchKeys();
  ASSERT_EQ(awaitLine(*keys, "available"), "available");

  auto connection = connect();
  wayland::DataControlPasteboard pasteboard(*connection, mainQueue, background);
  pasteboard.writeText("pasted through fake input", false);
  keys->sendLine("paste");
  ASSERT_EQ(awaitLine(*keys, "posted"), "posted");
  EXPECT_EQ(awaitLine(*window, "pasted"), "pasted-text pasted through fake input");
}

}  // namespace
}  // namespace dovrik::waylandtest
