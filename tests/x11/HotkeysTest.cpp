// Root key grabs against a real server: presses typed with xdotool reach the handler whatever
// the lock keys, and combinations held elsewhere are refused without leaving grabs behind.
#include <set>

#include "DesktopTest.h"
#include "core/app/App.h"
#include "linux/x11/KeyboardMap.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

using namespace dovrik::x11;

constexpr int leftArrowCode = 123;
constexpr int rightArrowCode = 124;
constexpr int aCode = 0;
constexpr std::uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;  // Alt_L is Mod1 on Xvfb
constexpr std::uint16_t numLock = XCB_MOD_MASK_2;                         // Num_Lock likewise

class HotkeysTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    x().hotkeys.installHandler([this](const EventHotKeyID& id) {
      pressed_.push_back(id.id);
      return noErr;
    });
  }

  HotkeyRegistration registerKey(int keyCode, std::uint32_t modifiers, std::uint32_t id) {
    return x().hotkeys.registerHotkey(keyCode, modifiers, {0x514d4e50, id});
  }
  void type(const std::string& keys) { ASSERT_EQ(server->run({"xdotool", "key", keys}), 0); }
  bool pressedBecomes(const std::vector<std::uint32_t>& ids) {
    return pumpUntil([&] { return pressed_ == ids; });
  }
  // Whether another client can take Left with these modifiers (and gives it back at once).
  bool freeFor(std::uint16_t modifiers) {
    const xcb_keycode_t left = client->keycodeOf(XK_Left);
    const bool free = client->grabKey(left, modifiers);
    if (free)
      client->ungrabKey(left, modifiers);
    return free;
  }

  std::vector<std::uint32_t> pressed_;
};

TEST_F(HotkeysTest, PressesReachTheHandlerWithAndWithoutNumLock) {
  ASSERT_EQ(registerKey(leftArrowCode, controlKey | optionKey, 1).status, noErr);
  ASSERT_EQ(registerKey(rightArrowCode, controlKey | optionKey, 2).status, noErr);
  ASSERT_EQ(registerKey(aCode, cmdKey | shiftKey, 3).status, noErr);

  type("ctrl+alt+Left");
  EXPECT_TRUE(pressedBecomes({1}));
  // A combination nobody registered goes elsewhere; the next registered one is the next press.
  type("ctrl+shift+Left");
  type("super+shift+a");
  EXPECT_TRUE(pressedBecomes({1, 3}));

  type("Num_Lock");
  type("ctrl+alt+Right");
  type("ctrl+alt+Left");
  EXPECT_TRUE(pressedBecomes({1, 3, 2, 1}));
  type("Num_Lock");
}

TEST_F(HotkeysTest, CombinationHeldByThisProcessIsRefusedUntilReleased) {
  const auto first = registerKey(leftArrowCode, controlKey | optionKey, 1);
  ASSERT_EQ(first.status, noErr);
  const auto again = registerKey(leftArrowCode, controlKey | optionKey, 2);
  EXPECT_EQ(again.status, eventHotKeyExistsErr);
  EXPECT_FALSE(again.ref.has_value());

  // While held, no other client can have it; once released, it is free again.
  EXPECT_FALSE(freeFor(ctrlAlt));
  x().hotkeys.unregisterHotkey(*first.ref);
  EXPECT_TRUE(freeFor(ctrlAlt));
  EXPECT_EQ(registerKey(leftArrowCode, controlKey | optionKey, 3).status, noErr);
}

TEST_F(HotkeysTest, ForeignGrabOfOneLockVariantRefusesAndLeavesNoPartialGrab) {
  TestClient other(server->display());
  ASSERT_TRUE(other.grabKey(other.keycodeOf(XK_Left), ctrlAlt | numLock));

  const auto refused = registerKey(leftArrowCode, controlKey | optionKey, 1);
  EXPECT_NE(refused.status, noErr);
  EXPECT_FALSE(refused.ref.has_value());
  // Every variant the adapter might have taken before the refusal is free again.
  EXPECT_TRUE(freeFor(ctrlAlt));
  EXPECT_TRUE(freeFor(ctrlAlt | XCB_MOD_MASK_LOCK));
}

TEST_F(HotkeysTest, KeymapChangeRegrabsWithTheNewLockBits) {
  ASSERT_EQ(registerKey(leftArrowCode, controlKey | optionKey, 1).status, noErr);
  // Num Lock moves from Mod2 to Mod3.
  ASSERT_EQ(server->run({"xmodmap", "-e", "clear mod2", "-e", "add mod3 = Num_Lock"}), 0);
  // Once the adapter has heard of the change it holds the new variant, so no one else can.
  EXPECT_TRUE(pumpUntil([&] { return !freeFor(ctrlAlt | XCB_MOD_MASK_3); }));
  type("Num_Lock");
  type("ctrl+alt+Left");
  EXPECT_TRUE(pressedBecomes({1}));
  type("Num_Lock");
  ASSERT_EQ(server->run({"xmodmap", "-e", "clear mod3", "-e", "add mod2 = Num_Lock"}), 0);
}

// The shortcut recorder reads a pressed key back through the same mapping registration uses,
// so a recorded key is the one grabbed afterwards, also after the keymap changes.
TEST_F(HotkeysTest, KeyCodeAtReversesRegistrationAndFollowsTheKeymap) {
  int recordable = 0;
  for (int keyCode = 0; keyCode < 128; ++keyCode) {
    if (const auto keysym = x11::KeyboardMap::keysymForKeyCode(keyCode)) {
      EXPECT_EQ(x().hotkeys.keyCodeAt(client->keycodeOf(*keysym)), keyCode) << keyCode;
      ++recordable;
    }
  }
  EXPECT_EQ(recordable, 31);
  EXPECT_EQ(x().hotkeys.keyCodeAt(client->keycodeOf(XK_Escape)), 53);
  EXPECT_EQ(x().hotkeys.keyCodeAt(client->keycodeOf(XK_F1)), -1);

  // The key that typed J types K, as a French or German layout moves letters about.
  constexpr int kCode = 40;
  const xcb_keycode_t jKey = client->keycodeOf(XK_j);
  const std::string remap = "keycode " + std::to_string(jKey) + " = k";
  ASSERT_EQ(server->run({"xmodmap", "-e", remap}), 0);
  EXPECT_TRUE(pumpUntil([&] { return x().hotkeys.keyCodeAt(jKey) == kCode; }));
  ASSERT_EQ(server->run({"xmodmap", "-e", "keycode " + std::to_string(jKey) + " = j"}), 0);
}

// Every window manager we test binds Ctrl+Alt+Left and Right to switching desktops in its stock
// configuration (openbox and xfwm4 Up and Down too): exactly the default snap shortcuts that
// collide are refused, and other combinations still register.
TEST(StockBindingsTest, DefaultsTheWindowManagerHoldsAreRefused) {
  XServer server;
  server.startWindowManager(XServer::WmConfig::Stock);
  X11TestPlatform desktop(server.display(), 1);
  App app(desktop.platform());
  app.start();

  std::set<SnapPosition> expected = {SnapPosition::leftHalf, SnapPosition::rightHalf};
  if (server.wm() != XServer::Wm::fluxbox)
    expected.insert({SnapPosition::fullScreen, SnapPosition::center});
  EXPECT_EQ(app.shortcutManager().unavailablePositions(), expected);
  EXPECT_EQ(desktop.x.hotkeys.registerHotkey(aCode, controlKey | optionKey, {1, 2}).status, noErr);
}

}  // namespace
}  // namespace dovrik::x11test
