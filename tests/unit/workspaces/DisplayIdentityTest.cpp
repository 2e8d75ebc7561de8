// Display signatures and the texts that describe a display set.
#include <gtest/gtest.h>

#include "core/workspaces/DisplayIdentity.h"

namespace dovrik {
namespace {

Screen screenWithUuid(std::optional<std::string> uuid) {
  return Screen{.displayId = 1, .name = "", .frame = {}, .visibleFrame = {}, .uuid = uuid};
}

TEST(DisplayIdentityTest, SignatureIsSortedIgnoresScreensWithoutUuidAndIgnoresOrder) {
  const std::string a = "0AAAAAAA-0000-0000-0000-000000000000";
  const std::string b = "BBBBBBBB-0000-0000-0000-000000000000";
  EXPECT_EQ(DisplayIdentity::signature(
                {screenWithUuid(b), screenWithUuid(std::nullopt), screenWithUuid(a)}),
            a + "|" + b);
  EXPECT_EQ(DisplayIdentity::signature({screenWithUuid(a), screenWithUuid(b)}), a + "|" + b);
  EXPECT_EQ(DisplayIdentity::signature({screenWithUuid(std::nullopt)}), "");
  EXPECT_EQ(DisplayIdentity::signature({}), "");
}

TEST(DisplayIdentityTest, DescriptionsCountOnlyNonEmptyPieces) {
  EXPECT_EQ(DisplayIdentity::describe(""), "Unknown display setup");
  EXPECT_EQ(DisplayIdentity::describe("|"), "Unknown display setup");
  EXPECT_EQ(DisplayIdentity::describe("A"), "1 display");
  EXPECT_EQ(DisplayIdentity::describe("|A||B|"), "2 displays");

  Workspace w;
  w.displaySignature = "A";
  EXPECT_EQ(DisplayIdentity::displayConnectionPhrase(w), "1 display is connected");
  w.displaySignature = "A|B|C";
  EXPECT_EQ(DisplayIdentity::displayConnectionPhrase(w), "3 displays are connected");
  w.displaySignature = "";
  EXPECT_EQ(DisplayIdentity::displayConnectionPhrase(w), "unknown display setup are connected");
}

TEST(DisplayIdentityTest, SummaryCountsWindowsAppsAndSaysWhenNotConnected) {
  Workspace w;
  w.displaySignature = "A";
  w.windows = {{"com.a", "A", "", 0, "A", {}}};
  EXPECT_EQ(DisplayIdentity::summary(w, "A"), "1 window \u00B7 1 app \u00B7 1 display");
  w.windows.push_back({"com.a", "A", "", 1, "A", {}});
  w.windows.push_back({"com.b", "B", "", 0, "A", {}});
  w.displaySignature = "A|B";
  EXPECT_EQ(DisplayIdentity::summary(w, "A"),
            "3 windows \u00B7 2 apps \u00B7 2 displays \u00B7 not connected");
}

Workspace named(const std::string& name) {
  Workspace w;
  w.name = name;
  return w;
}

TEST(DisplayIdentityTest, DefaultNameTakesTheSmallestFreeNumber) {
  std::vector<Workspace> list;
  EXPECT_EQ(DisplayIdentity::defaultName(list, "A|B"), "2 displays");
  list.push_back(named("2 displays"));
  list.push_back(named("2 displays 3"));
  EXPECT_EQ(DisplayIdentity::defaultName(list, "A|B"), "2 displays 2");
  list.push_back(named("2 displays 2"));
  EXPECT_EQ(DisplayIdentity::defaultName(list, "A|B"), "2 displays 4");
}

}  // namespace
}  // namespace dovrik
