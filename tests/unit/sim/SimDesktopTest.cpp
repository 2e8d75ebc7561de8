// The simulated desktop's own promises that later tests lean on: hit tests, faults, the write
// record and hotkey refusals.
#include <gtest/gtest.h>

#include "sim/SimPlatform.h"

namespace dovrik::sim {
namespace {

TEST(SimDesktopTest, HitTestsAnswerTheDeepestElementOfTheFrontWindowUnderThePoint) {
  SimPlatform sim;
  SimDesktop& d = sim.desktop;
  d.addApp({10, "com.example.a", "A"});
  const AXElement back = d.addWindow(10, {0, 0, 400, 400});
  const AXElement front = d.addWindow(10, {200, 0, 400, 400});
  const AXElement titleBar = d.addChild(front, "AXTitleBar", {200, 0, 400, 28});
  const AXElement button = d.addChild(titleBar, "AXButton", {208, 6, 14, 14});
  const AXElement sys = d.systemWideElement();

  EXPECT_EQ(d.elementAtPosition(sys, {210, 10}), button);
  EXPECT_EQ(d.elementAtPosition(sys, {300, 10}), titleBar);
  EXPECT_EQ(d.elementAtPosition(sys, {300, 100}), front);
  EXPECT_EQ(d.elementAtPosition(sys, {100, 10}), back);
  EXPECT_EQ(d.elementAtPosition(sys, {700, 10}), std::nullopt);
  EXPECT_EQ(d.copyAttribute(button, AXAttribute::Parent), AXValue{titleBar});
  EXPECT_EQ(d.copyAttribute(titleBar, AXAttribute::Role), AXValue{std::string("AXTitleBar")});

  // Children travel with their window; a minimized window is not hit.
  d.setAttribute(front, AXAttribute::Position, Point{1000, 500});
  EXPECT_EQ(d.frameOf(button), (Rect{1008, 506, 14, 14}));
  EXPECT_EQ(d.elementAtPosition(sys, {1010, 510}), button);
  d.setMinimized(front, true);
  EXPECT_EQ(d.elementAtPosition(sys, {1010, 510}), std::nullopt);

  d.raiseWindow(back);
  d.setUnresponsive(10, true);
  EXPECT_EQ(d.elementAtPosition(sys, {100, 10}), std::nullopt);
}

TEST(SimDesktopTest, FaultsBlockReadsAndWritesButEveryWriteIsRecorded) {
  SimPlatform sim;
  SimDesktop& d = sim.desktop;
  d.addApp({10, "com.example.a", "A"});
  const AXElement w = d.addWindow(10, {0, 0, 400, 400}, "Title");
  d.setSizeRule(w, [](Size s) { return Size{std::max(s.width, 300.0), s.height}; });

  sim.clock.advanceBy(0.5);
  d.setAttribute(w, AXAttribute::Size, Size{100, 100});
  EXPECT_EQ(d.frameOf(w), (Rect{0, 0, 300, 100}));

  d.setTrusted(false);
  EXPECT_EQ(d.copyAttribute(w, AXAttribute::Title), std::nullopt);
  d.setAttribute(w, AXAttribute::Position, Point{50, 50});
  d.setTrusted(true);
  d.setUnresponsive(10, true);
  d.setAttribute(w, AXAttribute::Position, Point{60, 60});
  EXPECT_EQ(d.copyAttribute(w, AXAttribute::Title), std::nullopt);
  d.setUnresponsive(10, false);
  EXPECT_EQ(d.frameOf(w), (Rect{0, 0, 300, 100}));

  d.failAttribute(w, AXAttribute::Title);
  EXPECT_EQ(d.copyAttribute(w, AXAttribute::Title), std::nullopt);
  EXPECT_EQ(d.copyAttribute(w, AXAttribute::Size), (AXValue{Size{300, 100}}));

  const std::vector<SimDesktop::Write> expected = {
      {0.5, w, AXAttribute::Size, Size{100, 100}, true},
      {0.5, w, AXAttribute::Position, Point{50, 50}, false},
      {0.5, w, AXAttribute::Position, Point{60, 60}, false},
  };
  EXPECT_EQ(d.writes(), expected);
  EXPECT_EQ(d.readCount(), 4);
}

TEST(SimHotkeysTest, CombinationsHeldHereOrElsewhereAreRefused) {
  SimHotkeys hotkeys;
  hotkeys.ownByOtherApplication(123, controlKey | optionKey);
  const auto elsewhere = hotkeys.registerHotkey(123, controlKey | optionKey, {1, 1});
  EXPECT_NE(elsewhere.status, noErr);
  EXPECT_FALSE(elsewhere.ref);

  const auto first = hotkeys.registerHotkey(124, controlKey | optionKey, {1, 1});
  ASSERT_TRUE(first.ref);
  const auto again = hotkeys.registerHotkey(124, controlKey | optionKey, {2, 1});
  EXPECT_EQ(again.status, eventHotKeyExistsErr);
  EXPECT_FALSE(again.ref);
  hotkeys.unregisterHotkey(*first.ref);
  EXPECT_TRUE(hotkeys.registerHotkey(124, controlKey | optionKey, {2, 1}).ref);
  EXPECT_EQ(hotkeys.registered().size(), 1u);
}

}  // namespace
}  // namespace dovrik::sim
