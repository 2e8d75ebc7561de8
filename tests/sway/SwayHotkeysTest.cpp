// Dovrik's hotkeys on a real sway: bound over its socket, refused where the user's config binds
// the combination, typed with wtype and told back through sway's binding events.
#include <poll.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "SwayTest.h"
#include "core/platform/Hotkeys.h"
#include "core/platform/KeyboardShortcut.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Events.h"
#include "linux/i3ipc/I3Subscription.h"
#include "linux/sway/SwayHotkeyTag.h"
#include "linux/sway/SwayHotkeys.h"

namespace dovrik::swaytest {
namespace {

using namespace std::chrono_literals;
using sessiontest::ChildLaunch;
using sway::SwayHotkeys;

constexpr std::uint32_t ctrlAlt = controlKey | optionKey;
constexpr std::uint32_t hotkeySignature = 0x64767274;

class SwayHotkeysTest : public SwayTest {
 protected:
  void SetUp() override {
    SwayTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    // The user's own bindings, which Dovrik must leave alone: one in the config, one in a file
    // the config includes, which sway does not hand out with the config.
    addToConfig("bindsym Ctrl+Mod1+Up exec true");
    sessiontest::writeFile(session().folder() + "/keys.conf", "bindsym Ctrl+Mod1+z exec true\n",
                           sessiontest::everyoneReads);
    addToConfig("include " + session().folder() + "/keys.conf");
    client_.emplace(session().swaySocket());
    events_ = i3ipc::I3Subscription::open(session().swaySocket(), {"binding"}, 10s);
    ASSERT_TRUE(events_);
  }

  // A line more in the config sway runs: the harness's file, read again with "reload".
  static void addToConfig(const std::string& line) {
    const std::string path = session().folder() + "/config";
    const std::string config = sessiontest::fileText(path);
    if (config.find(line + "\n") != std::string::npos)
      return;
    sessiontest::writeFile(path, config + line + "\n", sessiontest::everyoneReads);
    ASSERT_TRUE(session().command("reload")) << session().swayLog();
    ASSERT_TRUE(sessiontest::await(
        [&] {
          return session().message("get_config").value("config", "").find(line) !=
                 std::string::npos;
        },
        10s));
  }

  static HotkeyRegistration registerCtrlAlt(SwayHotkeys& hotkeys, Key key, std::uint32_t id) {
    return hotkeys.registerHotkey(keyCode(key), ctrlAlt, {hotkeySignature, id});
  }

  // Ctrl+Alt+`key` typed on a keyboard of the seat.
  static void typeCtrlAlt(const std::string& key) {
    ChildLaunch wtype;
    wtype.argv = {"wtype", "-M", "ctrl", "-M", "alt", "-k", key, "-m", "alt", "-m", "ctrl"};
    wtype.logFile = session().folder() + "/wtype.log";
    ASSERT_EQ(session().launch(wtype)->awaitExit(10s), 0);
  }

  // Hands every binding event to `hotkeys`, as Dovrik's event loop does, until `done` holds;
  // false when it still does not after the time limit.
  bool deliverUntil(SwayHotkeys& hotkeys, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (;;) {
      for (const i3ipc::Frame& frame : events_->readAvailable()) {
        const auto event = i3ipc::decodeEvent(frame);
        if (const auto* binding = event ? std::get_if<i3ipc::BindingEvent>(&*event) : nullptr) {
          commandsRun_.push_back(binding->command);
          hotkeys.bindingRan(binding->command);
        }
      }
      if (done())
        return true;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left <= 0ms || events_->ended())
        return false;
      pollfd readable{events_->fd(), POLLIN, 0};
      poll(&readable, 1, static_cast<int>(left.count()));
    }
  }

  // The hotkeys' presses, by their ids, as the handler sees them.
  void recordPresses(SwayHotkeys& hotkeys) {
    ASSERT_TRUE(hotkeys.installHandler([this](const EventHotKeyID& id) {
      EXPECT_EQ(id.signature, hotkeySignature);
      pressed_.push_back(id.id);
      return noErr;
    }));
  }
  bool pressedOnce(std::uint32_t id) const {
    return std::count(pressed_.begin(), pressed_.end(), id) == 1;
  }

  std::optional<i3ipc::I3Client> client_;
  std::unique_ptr<i3ipc::I3Subscription> events_;
  std::vector<std::uint32_t> pressed_;
  std::vector<std::string> commandsRun_;
};

TEST_F(SwayHotkeysTest, BindsAFreeCombinationAndRefusesOnesAlreadyBound) {
  SwayHotkeys hotkeys(*client_);
  recordPresses(hotkeys);
  const HotkeyRegistration left = registerCtrlAlt(hotkeys, Key::leftArrow, 1);
  EXPECT_EQ(left.status, noErr);
  EXPECT_TRUE(left.ref);
  const HotkeyRegistration up = registerCtrlAlt(hotkeys, Key::upArrow, 2);
  EXPECT_EQ(up.status, eventHotKeyExistsErr);
  EXPECT_FALSE(up.ref);
  EXPECT_EQ(registerCtrlAlt(hotkeys, Key::leftArrow, 3).status, eventHotKeyExistsErr);
  EXPECT_EQ(registerCtrlAlt(hotkeys, Key::z, 4).status, eventHotKeyExistsErr);

  // The user's binding still runs its own command.
  typeCtrlAlt("Up");
  typeCtrlAlt("Left");
  ASSERT_TRUE(deliverUntil(hotkeys, [&] { return pressedOnce(1); }))
      << testing::PrintToString(commandsRun_);
  EXPECT_EQ(commandsRun_,
            (std::vector<std::string>{
                "exec true", sway::hotkeyCommand(keyCode(Key::leftArrow), ctrlAlt, false)}));
}

TEST_F(SwayHotkeysTest, PressesReachTheHandlersUntilTheCombinationIsUnregistered) {
  SwayHotkeys hotkeys(*client_);
  recordPresses(hotkeys);
  const auto left = registerCtrlAlt(hotkeys, Key::leftArrow, 1);
  ASSERT_TRUE(left.ref);
  ASSERT_TRUE(registerCtrlAlt(hotkeys, Key::rightArrow, 2).ref);
  typeCtrlAlt("Left");
  ASSERT_TRUE(deliverUntil(hotkeys, [&] { return pressedOnce(1); }));

  hotkeys.unregisterHotkey(*left.ref);
  typeCtrlAlt("Left");
  // Events come in order: once Right's press is in, a second one of Left would have been too.
  typeCtrlAlt("Right");
  ASSERT_TRUE(deliverUntil(hotkeys, [&] { return pressedOnce(2); }));
  EXPECT_EQ(pressed_, (std::vector<std::uint32_t>{1, 2}));
  // sway itself no longer runs anything for Left.
  EXPECT_EQ(std::count(commandsRun_.begin(), commandsRun_.end(),
                       sway::hotkeyCommand(keyCode(Key::leftArrow), ctrlAlt, false)),
            1);
}

TEST_F(SwayHotkeysTest, TakesOverALeftoverAndLeavesNothingBoundBehind) {
  // What a Dovrik that did not quit cleanly left in sway.
  ASSERT_TRUE(session().command("bindsym --no-repeat Ctrl+Mod1+Down " +
                                sway::hotkeyCommand(keyCode(Key::downArrow), ctrlAlt, false)));
  {
    SwayHotkeys hotkeys(*client_);
    EXPECT_EQ(registerCtrlAlt(hotkeys, Key::downArrow, 1).status, noErr);
    EXPECT_EQ(registerCtrlAlt(hotkeys, Key::rightArrow, 2).status, noErr);
  }
  // sway no longer finds either binding to remove.
  EXPECT_FALSE(session().command("unbindsym Ctrl+Mod1+Down"));
  EXPECT_FALSE(session().command("unbindsym Ctrl+Mod1+Right"));
}

TEST_F(SwayHotkeysTest, AfterAReloadBindsAgainWhatTheConfigLeavesFree) {
  std::optional<SwayHotkeys> hotkeys(std::in_place, *client_);
  recordPresses(*hotkeys);
  ASSERT_TRUE(registerCtrlAlt(*hotkeys, Key::leftArrow, 1).ref);
  ASSERT_TRUE(registerCtrlAlt(*hotkeys, Key::k, 2).ref);
  // The user binds one of the combinations in the config and reloads it.
  addToConfig("bindsym Ctrl+Mod1+k exec true");
  hotkeys->configReloaded();

  typeCtrlAlt("k");
  typeCtrlAlt("Left");
  ASSERT_TRUE(deliverUntil(*hotkeys, [&] { return pressedOnce(1); }))
      << testing::PrintToString(commandsRun_);
  EXPECT_EQ(pressed_, (std::vector<std::uint32_t>{1}));
  EXPECT_EQ(commandsRun_.front(), "exec true");
  // Quitting removes Dovrik's binding and keeps the user's.
  hotkeys.reset();
  EXPECT_FALSE(session().command("unbindsym Ctrl+Mod1+Left"));
  EXPECT_TRUE(session().command("unbindsym Ctrl+Mod1+k"));
}

}  // namespace
}  // namespace dovrik::swaytest
