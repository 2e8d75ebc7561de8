// Root key grabs against a real server: presses typed with xdotool reach the handler whatever
// the lock keys, and combinations held elsewhere are refused without leaving grabs behind.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AdapterPump.h"
#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

constexpr int leftArrowCode = 123;
constexpr int rightArrowCode = 124;
constexpr int aCode = 0;
constexpr xcb_keysym_t XK_Left = 0xff51;
constexpr std::uint16_t alt = XCB_MOD_MASK_1;      // Alt_L on Xvfb's default keymap
constexpr std::uint16_t numLock = XCB_MOD_MASK_2;  // Num_Lock likewise

class HotkeysTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1280, 800);
    server_->startWindowManager(XServer::WmConfig::Test);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    client_ = std::make_unique<TestClient>(server_->display());
    x_ = std::make_unique<x11::X11Adapters>(server_->display().c_str(), 1);
    x_->hotkeys.installHandler([this](const EventHotKeyID& id) {
      pressed_.push_back(id.id);
      return noErr;
    });
  }

  HotkeyRegistration registerKey(int keyCode, std::uint32_t modifiers, std::uint32_t id) {
    return x_->hotkeys.registerHotkey(keyCode, modifiers, {0x514d4e50, id});
  }
  void type(const std::string& keys) { ASSERT_EQ(server_->run({"xdotool", "key", keys}), 0); }
  bool pressedBecomes(const std::vector<std::uint32_t>& ids) {
    return pumpUntil(x_->connection, [&] { return pressed_ == ids; });
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::X11Adapters> x_;
  std::vector<std::uint32_t> pressed_;
};

XServer* HotkeysTest::server_ = nullptr;

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
  const xcb_keycode_t left = client_->keycodeOf(XK_Left);
  EXPECT_FALSE(client_->grabKey(left, XCB_MOD_MASK_CONTROL | alt));
  x_->hotkeys.unregisterHotkey(*first.ref);
  EXPECT_TRUE(client_->grabKey(left, XCB_MOD_MASK_CONTROL | alt));
  client_->ungrabKey(left, XCB_MOD_MASK_CONTROL | alt);
  EXPECT_EQ(registerKey(leftArrowCode, controlKey | optionKey, 3).status, noErr);
}

TEST_F(HotkeysTest, ForeignGrabOfOneLockVariantRefusesAndLeavesNoPartialGrab) {
  TestClient other(server_->display());
  const xcb_keycode_t left = other.keycodeOf(XK_Left);
  ASSERT_TRUE(other.grabKey(left, XCB_MOD_MASK_CONTROL | alt | numLock));

  const auto refused = registerKey(leftArrowCode, controlKey | optionKey, 1);
  EXPECT_NE(refused.status, noErr);
  EXPECT_FALSE(refused.ref.has_value());

  // Every variant the adapter might have taken before the refusal is free again.
  for (const std::uint16_t locks : {std::uint16_t{0}, std::uint16_t{XCB_MOD_MASK_LOCK}}) {
    const auto mods = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | alt | locks);
    EXPECT_TRUE(client_->grabKey(left, mods)) << "modifiers " << mods;
    client_->ungrabKey(left, mods);
  }
}

TEST_F(HotkeysTest, KeymapChangeRegrabsWithTheNewLockBits) {
  ASSERT_EQ(registerKey(leftArrowCode, controlKey | optionKey, 1).status, noErr);
  // Num Lock moves from Mod2 to Mod3.
  ASSERT_EQ(server_->run({"xmodmap", "-e", "clear mod2", "-e", "add mod3 = Num_Lock"}), 0);
  const xcb_keycode_t left = client_->keycodeOf(XK_Left);
  const auto withNumLock = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | alt | XCB_MOD_MASK_3);
  // Once the adapter has heard of the change it holds the new variant, so no one else can.
  EXPECT_TRUE(pumpUntil(x_->connection, [&] {
    const bool free = client_->grabKey(left, withNumLock);
    if (free)
      client_->ungrabKey(left, withNumLock);
    return !free;
  }));
  type("Num_Lock");
  type("ctrl+alt+Left");
  EXPECT_TRUE(pressedBecomes({1}));
  type("Num_Lock");
  ASSERT_EQ(server_->run({"xmodmap", "-e", "clear mod3", "-e", "add mod2 = Num_Lock"}), 0);
}

// The distribution's openbox configuration binds Ctrl+Alt+Left and Right to desktop switching.
class StockOpenboxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1280, 800);
    server_->startWindowManager(XServer::WmConfig::Stock);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  static XServer* server_;
};

XServer* StockOpenboxTest::server_ = nullptr;

TEST_F(StockOpenboxTest, CombinationBoundByTheWindowManagerIsRefused) {
  x11::X11Adapters x(server_->display().c_str(), 1);
  const auto left = x.hotkeys.registerHotkey(leftArrowCode, controlKey | optionKey, {1, 1});
  EXPECT_EQ(left.status, eventHotKeyExistsErr);
  EXPECT_FALSE(left.ref.has_value());
  EXPECT_EQ(x.hotkeys.registerHotkey(aCode, controlKey | optionKey, {1, 2}).status, noErr);
}

}  // namespace
}  // namespace dovrik::x11test
