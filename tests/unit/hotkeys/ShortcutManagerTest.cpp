// Snap-position hotkeys: registration passes and their identifiers, refusals and the notice,
// the press handler in the handler chain, and teardown.
#include <gtest/gtest.h>

#include <memory>

#include "core/app/ManagerPorts.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

using test::kCtrlOpt;
constexpr int kLeftArrow = 123;
constexpr int kRightArrow = 124;

class ShortcutManagerTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  sim::SimHotkeys& hotkeys = world.hotkeys;
  std::unique_ptr<AppState> state;
  std::unique_ptr<AccessibilityTrust> trust;
  std::unique_ptr<WindowManager> windows;
  std::unique_ptr<ShortcutManager> shortcuts;
  int notifications = 0;
  // Most cases here are about the snap positions alone.
  bool withWindowCommands = false;

  // Built on demand so a test can set trust and hotkey faults first.
  ShortcutManager& manager() {
    if (!shortcuts) {
      state = std::make_unique<AppState>(world.platform.defaults.application(),
                                         world.platform.loginItem, world.platform.shell);
      trust = std::make_unique<AccessibilityTrust>(world.platform.accessibility,
                                                   world.platform.scheduler, world.platform.shell,
                                                   world.platform.texts, *state);
      if (!withWindowCommands) {
        for (WindowAction action : allWindowActions)
          state->setWindowActionShortcut(action, std::nullopt);
      }
      windows = std::make_unique<WindowManager>(windowManagerPorts(world.platform), *state);
      shortcuts = std::make_unique<ShortcutManager>(
          world.platform.scheduler, world.platform.hotkeys, *state, *trust, *windows);
      shortcuts->unavailablePositionsChanged.connect([this] { ++notifications; });
    }
    return *shortcuts;
  }

  std::vector<std::uint32_t> registeredIds() const {
    std::vector<std::uint32_t> ids;
    for (const auto& entry : hotkeys.registered()) {
      EXPECT_EQ(entry.id.signature, ShortcutManager::signature());
      ids.push_back(entry.id.id);
    }
    return ids;
  }
};

TEST(ShortcutManagerCodesTest, FourCharCodesTakeTheFirstFourBytesAndMasksAddUp) {
  const std::pair<const char*, std::uint32_t> codes[] = {{"QMNP", 0x514D4E50u},
                                                         {"QMNPXYZ", 0x514D4E50u},
                                                         {"QM", 0x514Du},
                                                         {"", 0u},
                                                         {"\xC3\xA9\xC3\xA9", 0xC3A9C3A9u}};
  for (const auto& [text, code] : codes)
    EXPECT_EQ(ShortcutManager::fourCharCode(text), code) << text;
  EXPECT_EQ(ShortcutManager::signature(), 0x514D4E50u);
  EXPECT_EQ(ShortcutManager::modifierMask({Modifier::control, Modifier::option}), 0x1800u);
  EXPECT_EQ(ShortcutManager::modifierMask({Modifier::shift, Modifier::command}), 0x300u);
}

TEST_F(ShortcutManagerTest, EachPassRegistersTheDefaultsWithIdentifiersOneToFour) {
  for (int pass = 0; pass < 2; ++pass) {
    manager().registerAll();
    EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(manager().unavailablePositions().empty());
    EXPECT_EQ(notifications, pass + 1) << "one notification per pass";
  }
  std::set<std::pair<int, std::uint32_t>> combos;
  for (const auto& entry : hotkeys.registered())
    combos.insert({entry.keyCode, entry.modifiers});
  EXPECT_EQ(combos, (std::set<std::pair<int, std::uint32_t>>{
                        {123, kCtrlOpt}, {124, kCtrlOpt}, {125, kCtrlOpt}, {126, kCtrlOpt}}));
}

TEST_F(ShortcutManagerTest, RefusalsUseNoIdentifierAndAreNamedInDeclarationOrder) {
  hotkeys.ownByOtherApplication(kRightArrow, kCtrlOpt);
  manager().registerAll();
  EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(manager().unavailablePositions(), std::set{SnapPosition::rightHalf});
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(ShortcutManager::refusalNotice(manager().unavailablePositions(), world.platform.texts),
            "macOS refused the shortcut for Right Half — another app is already using it. Pick "
            "a different combination.");

  hotkeys.ownByOtherApplication(kLeftArrow, kCtrlOpt);
  manager().registerAll();
  EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2}));
  const std::string notice =
      ShortcutManager::refusalNotice(manager().unavailablePositions(), world.platform.texts);
  EXPECT_EQ(notice,
            "macOS refused the shortcuts for Left Half, Right Half — another app is already "
            "using them. " +
                PlatformTexts::macOS().refusedShortcutsAdvice);
  EXPECT_NE(notice.find("Rectangle"), std::string::npos);

  const std::set<SnapPosition> scrambled = {SnapPosition::center, SnapPosition::rightHalf,
                                            SnapPosition::topLeft};
  EXPECT_EQ(ShortcutManager::refusalNotice(scrambled, PlatformTexts::linux()),
            "The desktop refused the shortcuts for Right Half, Top Left, Center — another app "
            "is already using them. " +
                PlatformTexts::linux().refusedShortcutsAdvice);
  EXPECT_EQ(ShortcutManager::refusalNotice({}, world.platform.texts), "");
}

TEST_F(ShortcutManagerTest, SnappingOffOrNoTrustRegistersNothing) {
  manager().registerAll();
  hotkeys.ownByOtherApplication(kLeftArrow, kCtrlOpt);
  state->setSnappingEnabled(false);
  manager().registerAll();
  EXPECT_TRUE(hotkeys.registered().empty());
  EXPECT_TRUE(manager().unavailablePositions().empty());

  state->setSnappingEnabled(true);
  manager().registerAll();
  EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2, 3}));
  manager().unregisterAll();
  EXPECT_TRUE(hotkeys.registered().empty());
  EXPECT_TRUE(manager().unavailablePositions().empty());
}

TEST_F(ShortcutManagerTest, WithoutTrustAPassRegistersNothing) {
  world.desktop.setTrusted(false);
  manager().registerAll();
  EXPECT_TRUE(hotkeys.registered().empty());
  EXPECT_TRUE(manager().unavailablePositions().empty());
}

TEST_F(ShortcutManagerTest, APressQueuesASnapAndOtherFamiliesArePassedOnAsNotHandled) {
  const AXElement window = world.desktop.addWindow(world.appPid, {100, 100, 800, 600});
  const std::uint32_t clipboard = ShortcutManager::fourCharCode("QMCB");
  int clipboardPresses = 0;
  hotkeys.installHandler([&](const EventHotKeyID& id) {
    if (id.signature != clipboard)
      return eventNotHandledErr;
    ++clipboardPresses;
    return noErr;
  });
  manager().registerAll();  // installed after, so it is asked first
  state->setAnimationsEnabled(false);
  ASSERT_TRUE(hotkeys.registerHotkey(9, cmdKey | shiftKey, {clipboard, 1}).ref);
  EXPECT_FALSE(manager().handleHotkey({clipboard, 1}));
  EXPECT_FALSE(manager().handleHotkey({ShortcutManager::signature(), 99}));
  EXPECT_FALSE(manager().handleHotkey({ShortcutManager::fourCharCode("QMWS"), 1}));
  EXPECT_EQ(hotkeys.press(9, cmdKey | shiftKey), noErr);
  EXPECT_EQ(clipboardPresses, 1);
  world.clock.runUntilIdle();
  EXPECT_TRUE(world.desktop.writes().empty()) << "no snap was queued";

  EXPECT_EQ(hotkeys.press(kLeftArrow, kCtrlOpt), noErr);
  EXPECT_TRUE(world.desktop.writes().empty()) << "the handler only queues the snap";
  EXPECT_TRUE(world.clock.runUntilIdle());
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(clipboardPresses, 1);
}

TEST_F(ShortcutManagerTest, DestructionReleasesEverythingAndDropsQueuedSnaps) {
  const AXElement window = world.desktop.addWindow(world.appPid, {100, 100, 800, 600});
  manager().registerAll();
  EXPECT_EQ(hotkeys.handlerCount(), 1u);
  EXPECT_EQ(hotkeys.press(kRightArrow, kCtrlOpt), noErr);
  shortcuts.reset();
  EXPECT_TRUE(hotkeys.registered().empty());
  EXPECT_EQ(hotkeys.handlerCount(), 0u);
  EXPECT_EQ(hotkeys.press(kRightArrow, kCtrlOpt), eventNotHandledErr);
  world.clock.runUntilIdle();
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{100, 100, 800, 600}));
}

TEST_F(ShortcutManagerTest, AFailedHandlerInstallStillRegistersButNeverDelivers) {
  hotkeys.setHandlerInstallFails(true);
  manager().registerAll();
  EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2, 3, 4}));
  EXPECT_EQ(hotkeys.press(kLeftArrow, kCtrlOpt), eventNotHandledErr);
  shortcuts.reset();
  EXPECT_TRUE(hotkeys.registered().empty());
}

TEST_F(ShortcutManagerTest, WindowCommandsFollowThePositionsAndArePressedAndRefusedAlike) {
  world.desktop.addScreen({1440, 0, 1920, 1080}, {1440, 0, 1920, 1080});
  const AXElement window = world.desktop.addWindow(world.appPid, {100, 100, 800, 600});
  withWindowCommands = true;
  const std::uint32_t ctrlOptCmd = kCtrlOpt | cmdKey;
  hotkeys.ownByOtherApplication(kLeftArrow, ctrlOptCmd);
  manager().registerAll();
  state->setAnimationsEnabled(false);
  EXPECT_EQ(registeredIds(), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(manager().unavailablePositions().empty());
  EXPECT_EQ(manager().unavailableWindowActions(), std::set{WindowAction::previousDisplay});
  EXPECT_EQ(ShortcutManager::refusalNotice({SnapPosition::center}, world.platform.texts,
                                           manager().unavailableWindowActions()),
            "macOS refused the shortcuts for Center, Previous Display — another app is already "
            "using them. " +
                PlatformTexts::macOS().refusedShortcutsAdvice);

  EXPECT_EQ(hotkeys.press(kRightArrow, ctrlOptCmd), noErr);
  world.clock.runUntilIdle();
  EXPECT_EQ(world.desktop.frameOf(window).x, 1440 + 100 * 1920.0 / 1440);
  constexpr int kBackspace = 51;
  EXPECT_EQ(hotkeys.press(kBackspace, kCtrlOpt), noErr);
  world.clock.runUntilIdle();
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{100, 100, 800, 600}));
  // With nothing left to restore the hotkey does nothing.
  world.desktop.clearWrites();
  EXPECT_EQ(hotkeys.press(kBackspace, kCtrlOpt), noErr);
  world.clock.runUntilIdle();
  EXPECT_TRUE(world.desktop.writes().empty());
}

}  // namespace
}  // namespace dovrik
