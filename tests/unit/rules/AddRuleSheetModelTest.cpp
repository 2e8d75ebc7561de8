// The add-rule sheet and the installed-applications cache behind it: loading once per run,
// the one-rule-per-application check and the rule it makes.
#include <gtest/gtest.h>

#include "core/rules/AddRuleSheetModel.h"
#include "tests/unit/rules/RuleFixture.h"

namespace dovrik::test {
namespace {

AppInfo app(const std::string& name, const std::string& bundle) {
  return AppInfo{Uuid(), name, bundle, std::nullopt};
}

class AddRuleSheetModelTest : public ::testing::Test, public RuleWorld {
 protected:
  sim::SimInstalledApps& installed = world.sim.installedApps;
  InstalledAppsCache cache{installed, world.sim.background, world.sim.locale};
};

TEST_F(AddRuleSheetModelTest, TheFirstSheetOfARunScansOffTheMainThreadAndLaterOnesDoNot) {
  installed.setApps({});
  AddRuleSheetModel empty(manager(), cache);
  empty.appear();
  world.clock.runUntilIdle();
  EXPECT_FALSE(empty.isLoading());
  EXPECT_TRUE(empty.apps().empty());

  // An empty answer is not kept: the next sheet scans again.
  installed.setApps({app("Files", "org.example.Files"), app("Term", "org.example.Term")});
  AddRuleSheetModel first(manager(), cache);
  first.appear();
  EXPECT_TRUE(first.isLoading());
  EXPECT_EQ(world.sim.background.started, 2);
  world.clock.runUntilIdle();
  EXPECT_FALSE(first.isLoading());
  ASSERT_EQ(first.apps().size(), 2u);
  EXPECT_NE(first.apps()[0].id, first.apps()[1].id);

  AddRuleSheetModel second(manager(), cache);
  second.appear();
  EXPECT_FALSE(second.isLoading());
  EXPECT_EQ(second.apps().size(), 2u);
  EXPECT_EQ(installed.scans, 2);

  // A sheet closed and gone before its scan ends is not called back.
  InstalledAppsCache fresh{installed, world.sim.background, world.sim.locale};
  auto gone = std::make_unique<AddRuleSheetModel>(manager(), fresh);
  gone->appear();
  gone.reset();
  world.clock.runUntilIdle();
  EXPECT_EQ(fresh.apps().size(), 2u);
}

TEST_F(AddRuleSheetModelTest, AnApplicationGetsOneRuleAndAddingClosesTheSheet) {
  manager().add(rule("org.example.Term", SnapPosition::rightHalf, false));
  installed.setApps({app("Files", "org.example.Files"), app("Term", "org.example.Term")});
  AddRuleSheetModel sheet(manager(), cache);
  sheet.appear();
  world.clock.runUntilIdle();

  sheet.addRule();  // nothing selected: nothing happens
  EXPECT_TRUE(sheet.isPresented());
  EXPECT_EQ(sheet.selectedPosition(), SnapPosition::leftHalf);

  // A disabled rule counts: the warning shows and adding does nothing.
  sheet.selectApp(sheet.apps()[1]);
  EXPECT_TRUE(sheet.selectionHasRule());
  sheet.addRule();
  EXPECT_TRUE(sheet.isPresented());
  EXPECT_EQ(manager().rules().size(), 1u);

  sheet.selectApp(sheet.apps()[0]);
  sheet.selectPosition(SnapPosition::topRight);
  EXPECT_FALSE(sheet.selectionHasRule());
  sheet.addRule();
  EXPECT_FALSE(sheet.isPresented());
  ASSERT_EQ(manager().rules().size(), 2u);
  const AppRule& added = manager().rules()[1];
  EXPECT_EQ(added.bundleIdentifier, "org.example.Files");
  EXPECT_EQ(added.appName, "Files");
  EXPECT_EQ(added.snapPosition, SnapPosition::topRight);
  EXPECT_TRUE(added.isEnabled);
  EXPECT_EQ(storedText(), encodeAppRules(manager().rules()));
}

}  // namespace
}  // namespace dovrik::test
