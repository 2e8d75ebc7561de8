// The clipboard popup's opening, placement, keys and closing, driven the way the application
// drives it: by the hotkey, the menu item, the keys the panel reports and clicks the mouse tap
// sees.
#include "core/clipboard/ClipboardPopupController.h"

#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/clipboard/PopupPlacement.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::test {
namespace {

namespace P = PopupPlacement;

struct ClipboardPopupControllerTest : ::testing::Test, SimWorld {
  ClipboardPopupControllerTest() {
    desktop.setMouseLocation(Point{700, 400});
    app.start();
  }

  sim::SimPopupPanel& panel() { return sim.popupPanel; }
  ClipboardPopupController& popup() { return app.clipboardPopupController(); }

  void copy(const std::string& text) {
    sim.pasteboard.copyText(text);
    clock.advanceBy(0.01);
  }
  void pressHotkey() {
    app.clipboardShortcut().handleHotkey(
        {ClipboardShortcut::signature(), ClipboardShortcut::hotkeyID});
    clock.advanceBy(0.001);
  }
  // A click in accessibility space (y down), where the tap reports it.
  void click(TapEventType type, Point desktopPoint) {
    sim.eventTap.inject(type, {desktopPoint.x, 900 - desktopPoint.y});
  }

  App app{platform};
};

TEST(PopupPlacementTest, OpensBesideThePointerAndStaysInsideTheUsableArea) {
  const Screen left{1, "left", {0, 0, 1440, 900}, {0, 0, 1440, 875}, std::nullopt};
  const Screen right{2, "right", {1440, 0, 1920, 1080}, {1440, 40, 1920, 1040}, std::nullopt};
  const std::vector<Screen> screens{left, right};
  const auto at = [&](Point pointer) {
    return P::positionAtCursor(pointer, P::screenUnderPointer(pointer, screens, left), 282);
  };
  // Centred, its bottom edge 14 points above the pointer.
  EXPECT_EQ(at({700, 300}), (Rect{540, 314, 320, 282}));
  // Near the top: below the pointer, its top edge 14 points under it.
  EXPECT_EQ(at({700, 800}), (Rect{540, 800 - 282 - 14, 320, 282}));
  // Near the right edge: 8 points inside; near the left edge: 8 points inside.
  EXPECT_EQ(at({1430, 300}).x, 1440 - 328);
  EXPECT_EQ(at({20, 300}).x, 8);
  // The screen under the pointer, with its own usable area.
  EXPECT_EQ(at({3300, 10}), (Rect{3360 - 328, 48, 320, 282}));
  // A pointer on no screen goes by the main screen.
  EXPECT_EQ(P::screenUnderPointer({-50, -50}, screens, right), right);
  // Too low and too high at once (a short screen): the bottom margin wins.
  const Screen shortScreen{3, "short", {0, 0, 800, 300}, {0, 0, 800, 300}, std::nullopt};
  EXPECT_EQ(P::positionAtCursor({400, 150}, shortScreen, 282).y, 8);
}

TEST_F(ClipboardPopupControllerTest, OpensFreshAtThePointerRisingIntoPlace) {
  copy("one");
  pressHotkey();
  ASSERT_TRUE(popup().isVisible());
  ASSERT_EQ(panel().showings.size(), 1u);
  const auto& shown = panel().showings[0];
  EXPECT_EQ(shown.to, (Rect{540, 414, 320, 282}));
  EXPECT_EQ(shown.from, (Rect{540, 406, 320, 282}));
  EXPECT_EQ(shown.animation.duration, 0.18);
  EXPECT_EQ(shown.content, &popup().model());

  // Whatever the last opening left behind, the next one starts over.
  popup().model().setSearchText("zzz");
  popup().model().toggleExpanded();
  pressHotkey();
  clock.advanceBy(0.2);
  EXPECT_FALSE(popup().isVisible());
  pressHotkey();
  EXPECT_EQ(popup().model().searchText(), "");
  EXPECT_FALSE(popup().model().isExpanded());
  EXPECT_EQ(popup().model().selectedIndex(), 0);
}

TEST_F(ClipboardPopupControllerTest, HotkeyDuringTheFadeOutClosesAgainInsteadOfReopening) {
  pressHotkey();
  pressHotkey();
  ASSERT_EQ(panel().hidings.size(), 1u);
  EXPECT_EQ(panel().hidings[0].duration, 0.12);
  ASSERT_TRUE(popup().isVisible());  // still fading
  pressHotkey();
  EXPECT_EQ(panel().showings.size(), 1u);
  clock.advanceBy(0.2);
  EXPECT_FALSE(popup().isVisible());
}

TEST_F(ClipboardPopupControllerTest, ExpandingGrowsDownFromAFixedTopUntilTheBottomMargin) {
  popup().show();
  popup().model().toggleExpanded();
  ASSERT_EQ(panel().moves.size(), 1u);
  // Top edge at 414 + 282 = 696 stays; 460 high would reach 236.
  EXPECT_EQ(panel().moves[0].to, (Rect{540, 696 - 460, 320, 460}));
  EXPECT_EQ(panel().moves[0].animation.duration, 0.24);
  popup().model().toggleExpanded();
  EXPECT_EQ(panel().moves[1].to, (Rect{540, 414, 320, 282}));
  popup().model().selectTab(ClipboardTab::fileShelf);
  EXPECT_EQ(panel().moves[2].to.height, 320);
  popup().model().selectTab(ClipboardTab::clipboard);
  EXPECT_EQ(panel().moves[3].to.height, 282);

  // Expanded, to the shelf tab and back: still expanded, and as tall as expanded.
  popup().model().toggleExpanded();
  popup().model().selectTab(ClipboardTab::fileShelf);
  popup().model().selectTab(ClipboardTab::clipboard);
  EXPECT_EQ(popup().model().expandLabel(), "Less");
  EXPECT_EQ(panel().moves.back().to.height, 460);

  // Opened low on the screen: the bottom stays 8 points up and the top moves instead.
  desktop.setMouseLocation(Point{700, 100});
  popup().show();
  popup().model().toggleExpanded();
  EXPECT_EQ(panel().moves.back().to, (Rect{540, 8, 320, 460}));
}

TEST_F(ClipboardPopupControllerTest, ArrowsMoveTheSelectionAndReturnPastesTheChosenEntry) {
  copy("first");
  copy("second");
  copy("third");
  pressHotkey();
  panel().press(PopupKey::down);
  panel().press(PopupKey::down);
  panel().press(PopupKey::down);  // the last row: stays
  EXPECT_EQ(popup().model().selectedIndex(), 2);
  panel().press(PopupKey::select);
  panel().press(PopupKey::select);  // a second Return while the first paste is pending
  clock.advanceBy(0.5);
  EXPECT_FALSE(popup().isVisible());
  ASSERT_EQ(sim.keySynth.posts.size(), 1u);
  EXPECT_EQ(*sim.pasteboard.text(), "first");
}

TEST_F(ClipboardPopupControllerTest, CtrlReturnGathersAStackThatReturnPastesInItsOrder) {
  for (const char* text : {"d", "c", "b", "a"})
    copy(text);
  pressHotkey();
  ClipboardPopupModel& model = popup().model();
  const auto numbers = [&] {
    std::vector<std::optional<int>> out;
    for (const auto& item : model.filteredItems())
      out.push_back(model.stackNumber(item));
    return out;
  };
  // Stacked as c, a, d, b; then a taken out again: c, d, b.
  panel().press(PopupKey::down);
  panel().press(PopupKey::down);
  panel().press(PopupKey::stack);
  panel().press(PopupKey::up);
  panel().press(PopupKey::up);
  panel().press(PopupKey::stack);
  model.setSearchText("d");  // stacking across searches
  panel().press(PopupKey::stack);
  model.setSearchText("");
  panel().press(PopupKey::down);
  panel().press(PopupKey::stack);
  EXPECT_EQ(numbers(), (std::vector<std::optional<int>>{2, 4, 1, 3}));
  panel().press(PopupKey::up);
  panel().press(PopupKey::stack);
  EXPECT_EQ(numbers(), (std::vector<std::optional<int>>{std::nullopt, 3, 1, 2}));

  panel().press(PopupKey::select);
  panel().press(PopupKey::select);  // pressed again while the stack is pending
  clock.advanceBy(ClipboardPopupModel::pasteDelay + 0.01);
  EXPECT_FALSE(panel().hasKeyboard());
  for (int taken = 0; taken < 3; ++taken) {
    clock.advanceBy(0.2);
    sim.pasteboard.takeContent();
  }
  clock.advanceBy(0.2);
  std::vector<std::string> written;
  for (const auto& write : sim.pasteboard.writes)
    written.push_back(write.text.value_or("?"));
  EXPECT_EQ(written, (std::vector<std::string>{"c", "d", "b"}));
  EXPECT_EQ(sim.keySynth.posts.size(), 3u);
}

TEST_F(ClipboardPopupControllerTest, EscapeLetsGoOfAStackBeforeItCloses) {
  copy("a");
  copy("b");
  pressHotkey();
  panel().press(PopupKey::stack);
  panel().press(PopupKey::escape);
  EXPECT_TRUE(panel().hasKeyboard());
  EXPECT_FALSE(popup().model().hasStack());
  // With the stack gone, Return pastes the selected row alone.
  panel().press(PopupKey::down);
  panel().press(PopupKey::select);
  clock.advanceBy(1);
  EXPECT_EQ(*sim.pasteboard.text(), "a");

  // A stacked entry deleted before Return is left out; the next opening starts without one.
  pressHotkey();
  panel().press(PopupKey::stack);
  panel().press(PopupKey::down);
  panel().press(PopupKey::stack);
  popup().model().remove(popup().model().filteredItems()[0]);
  EXPECT_EQ(popup().model().stackNumber(popup().model().filteredItems()[0]), 1);
  pressHotkey();
  clock.advanceBy(0.2);
  pressHotkey();
  EXPECT_FALSE(popup().model().hasStack());
  panel().press(PopupKey::escape);
  EXPECT_FALSE(panel().hasKeyboard());
}

TEST_F(ClipboardPopupControllerTest, EscapeAndClicksElsewhereCloseItButNotClicksInside) {
  pressHotkey();
  EXPECT_EQ(sim.eventTap.installedCount(), 2u);  // the drag monitor's and the popup's
  // The release of the click that chose the menu item, without its press.
  click(TapEventType::leftMouseUp, {100, 100});
  // A press inside, and a file dragged from elsewhere and dropped on the popup.
  click(TapEventType::leftMouseDown, {600, 500});
  click(TapEventType::leftMouseUp, {600, 500});
  click(TapEventType::leftMouseDown, {100, 100});
  click(TapEventType::leftMouseUp, {600, 500});
  click(TapEventType::rightMouseDown, {600, 500});
  EXPECT_TRUE(panel().hasKeyboard());

  click(TapEventType::leftMouseDown, {100, 100});
  click(TapEventType::leftMouseUp, {100, 100});
  EXPECT_FALSE(panel().hasKeyboard());
  EXPECT_EQ(sim.eventTap.installedCount(), 1u);

  clock.advanceBy(0.2);
  pressHotkey();
  click(TapEventType::rightMouseDown, {1200, 100});
  EXPECT_FALSE(panel().hasKeyboard());

  clock.advanceBy(0.2);
  pressHotkey();
  pressHotkey();
  pressHotkey();
  clock.advanceBy(0.2);
  pressHotkey();
  popup().show();  // shown again while visible: still one tap of its own
  EXPECT_EQ(sim.eventTap.installedCount(), 2u);
  panel().press(PopupKey::escape);
  EXPECT_FALSE(panel().hasKeyboard());
}

TEST_F(ClipboardPopupControllerTest, SwitchingHistoryOffClosesItAndQuittingTakesTheContentAway) {
  pressHotkey();
  app.appState().setClipboardHistoryEnabled(false);
  app.clipboardManager().applyEnabledState();
  EXPECT_FALSE(panel().hasKeyboard());

  {
    App other{platform};
    other.clipboardPopupController().show();
    EXPECT_EQ(panel().content(), &other.clipboardPopupController().model());
  }
  // The panel outlives the application object; the model it drew from does not.
  EXPECT_EQ(panel().content(), nullptr);
}

TEST_F(ClipboardPopupControllerTest, MenuItemShowsTheShortcutAndOpensOnceTheMenuHasClosed) {
  const auto historyItem = [this]() -> std::optional<MenuItem> {
    for (const MenuItem& item : app.menuBarController().populate()) {
      if (item.action == MenuAction::showClipboardHistory)
        return item;
    }
    return std::nullopt;
  };
  const auto item = historyItem();
  ASSERT_TRUE(item);
  EXPECT_EQ(item->title, "Clipboard History  (⇧⌘V)");
  EXPECT_EQ(item->iconName, "clipboard");
  app.menuBarController().perform(*item);
  EXPECT_FALSE(popup().isVisible());
  clock.advanceBy(0.001);
  EXPECT_TRUE(popup().isVisible());
  // The menu always opens it, even while it is open.
  app.menuBarController().perform(*item);
  clock.advanceBy(0.001);
  EXPECT_EQ(panel().showings.size(), 2u);

  const std::string stored = R"({"key":"c","modifiers":["control","option"]})";
  app.appState().setClipboardShortcutData(Bytes(stored.begin(), stored.end()));
  EXPECT_EQ(historyItem()->title, "Clipboard History  (⌃⌥C)");
  EXPECT_EQ(PlatformTexts::linux().shortcutText(app.appState().clipboardShortcut()), "Ctrl+Alt+C");
  app.appState().setClipboardHistoryEnabled(false);
  EXPECT_FALSE(historyItem());
}

}  // namespace
}  // namespace dovrik::test
