// The rule store: the wait for a launched application's first window, the switches that gate
// it, the choice of rule, and persistence.
#include <gtest/gtest.h>

#include "tests/unit/rules/RuleFixture.h"

namespace dovrik::test {
namespace {

// The left and right halves of the 1440 × 875 visible frame, in accessibility space.
const Rect kLeftHalfFrame{0, 25, 720, 875};
const Rect kRightHalfFrame{720, 25, 720, 875};

class RuleManagerTest : public ::testing::Test, public RuleWorld {
 protected:
  std::vector<FrameWrite> frames() { return frameWrites(world.desktop.writes()); }
};

TEST_F(RuleManagerTest, TheFirstWindowIsSnappedOneIntervalAfterTheCheckThatSeesIt) {
  storeRules({rule("com.example.editor", SnapPosition::rightHalf),
              rule("org.example.Term", SnapPosition::leftHalf)});
  manager();
  const AXElement editorWindow = world.desktop.addWindow(SimWorld::appPid, {10, 40, 300, 200});
  launchTerm();
  world.clock.advanceBy(1.0);
  const AXElement first = world.desktop.addWindow(kTerm, {50, 60, 400, 300});
  world.clock.advanceBy(3.0);
  world.desktop.addWindow(kTerm, {70, 80, 400, 300});
  world.clock.advanceBy(3.0);

  // Checks run at 0, 0.15, 0.30 …; the one at 1.05 sees the window, the snap follows at 1.20.
  const auto written = frames();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_NEAR(written[0].time, 1.2, 1e-9);
  EXPECT_EQ(written[0].window, first);
  EXPECT_EQ(written[0].frame, kLeftHalfFrame);
  EXPECT_EQ(world.desktop.frameOf(editorWindow), (Rect{10, 40, 300, 200}));
}

// A terminal runs a process per window: a second one started by the user is a launch of its
// own, and its window is the one placed, never the window of the terminal already open.
TEST_F(RuleManagerTest, ASecondProcessOfARunningApplicationPlacesItsOwnWindow) {
  storeRules({rule("org.example.Term", SnapPosition::rightHalf)});
  manager();
  launchTerm();
  const AXElement first = world.desktop.addWindow(kTerm, {50, 60, 400, 300});
  world.clock.advanceBy(1.0);
  world.desktop.setFrame(first, {10, 40, 300, 200});
  world.desktop.clearWrites();

  world.desktop.launchApp(
      {kTerm + 1, "org.example.Term", "Term", ActivationPolicy::Regular, false});
  const AXElement second = world.desktop.addWindow(kTerm + 1, {70, 80, 400, 300});
  world.clock.advanceBy(1.0);
  const auto written = frames();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].window, second);
  EXPECT_EQ(written[0].frame, kRightHalfFrame);
  EXPECT_EQ(world.desktop.frameOf(first), (Rect{10, 40, 300, 200}));
}

TEST_F(RuleManagerTest, TheTwentyFirstCheckIsTheLast) {
  storeRules({rule("org.example.Term", SnapPosition::leftHalf)});
  manager();
  launchTerm();
  world.clock.advanceBy(2.95);  // the 21st check comes at 3.0
  world.desktop.addWindow(kTerm, {50, 60, 400, 300});
  world.clock.advanceBy(1.0);
  ASSERT_EQ(frames().size(), 1u);
  EXPECT_NEAR(frames()[0].time, 3.15, 1e-9);

  world.desktop.clearWrites();
  world.desktop.removeWindow(world.desktop.windowsFrontToBack().front());
  world.desktop.addApp({300, "org.example.Slow", "Slow", ActivationPolicy::Regular, false});
  manager().add(rule("org.example.Slow", SnapPosition::leftHalf));
  world.desktop.launchApp({300, "org.example.Slow", "Slow", ActivationPolicy::Regular, false});
  world.clock.advanceBy(3.05);  // just past the last check
  world.desktop.addWindow(300, {50, 60, 400, 300});
  world.clock.advanceBy(5.0);
  EXPECT_TRUE(world.desktop.writes().empty());
}

TEST_F(RuleManagerTest, SnappingTrustAndRulesMustAllBeOnAndOnlyEnabledRulesApply) {
  // The store does not keep identifiers apart: the disabled first rule is passed over.
  storeRules({rule("org.example.Term", SnapPosition::leftHalf, false),
              rule("org.example.Term", SnapPosition::rightHalf)});
  manager();
  const auto launchWithWindow = [&] {
    world.desktop.clearWrites();
    launchTerm();
    world.desktop.addWindow(kTerm, {50, 60, 400, 300});
    world.clock.advanceBy(1.0);
    const auto written = frames();
    return written.empty() ? std::optional<Rect>() : written.back().frame;
  };
  state->setSnappingEnabled(false);
  EXPECT_FALSE(launchWithWindow());
  state->setSnappingEnabled(true);
  world.desktop.setTrusted(false);
  trust->apply(false);
  EXPECT_FALSE(launchWithWindow());
  world.desktop.setTrusted(true);
  trust->apply(true);
  state->setRulesEnabled(false);
  EXPECT_FALSE(launchWithWindow());
  state->setRulesEnabled(true);
  EXPECT_EQ(launchWithWindow(), kRightHalfFrame);

  AppRule second = manager().rules()[1];
  second.isEnabled = false;
  manager().update(second);
  EXPECT_FALSE(launchWithWindow());
  EXPECT_TRUE(manager().hasRule("org.example.Term"));
  EXPECT_FALSE(manager().hasRule("org.example.term"));
}

TEST_F(RuleManagerTest, AChainKeepsItsRuleWhenTheRuleChangesOrGoes) {
  storeRules({rule("org.example.Term", SnapPosition::leftHalf)});
  manager();
  state->setAnimationsEnabled(true);
  launchTerm();
  AppRule moved = manager().rules()[0];
  moved.snapPosition = SnapPosition::rightHalf;
  manager().update(moved);
  manager().remove(moved);
  world.desktop.addWindow(kTerm, {50, 60, 400, 300});
  world.clock.advanceBy(2.0);
  const auto written = frames();
  ASSERT_EQ(written.size(), static_cast<std::size_t>(WindowManager::animationSteps));
  EXPECT_EQ(written.back().frame, kLeftHalfFrame);

  // A chain whose store is gone does nothing.
  world.desktop.clearWrites();
  manager().add(rule("org.example.Term", SnapPosition::leftHalf));
  launchTerm();
  store.reset();
  world.clock.advanceBy(2.0);
  EXPECT_TRUE(world.desktop.writes().empty());
}

TEST_F(RuleManagerTest, TheListIsWrittenWholeAndAnUnreadableOneIsSetAside) {
  defaults().set(RuleManager::storageKey, Bytes{'[', '{'});
  EXPECT_TRUE(manager().rules().empty());
  EXPECT_EQ(storedText(), "[{");  // untouched until the next save

  const AppRule term = rule("org.example.Term", SnapPosition::leftHalf);
  manager().add(term);
  EXPECT_EQ(storedText(), encodeAppRules({term}));
  EXPECT_EQ(defaults().dataValue(RuleManager::unreadableKey), (Bytes{'[', '{'}));

  // An update of a rule deleted meanwhile changes and writes nothing.
  manager().remove(term);
  EXPECT_EQ(storedText(), "[]");
  defaults().set(RuleManager::storageKey, Bytes{'x'});
  AppRule stale = term;
  stale.isEnabled = false;
  manager().update(stale);
  EXPECT_EQ(storedText(), "x");
}

}  // namespace
}  // namespace dovrik::test
