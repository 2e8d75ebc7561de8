// Drag-zone parameters in the defaults store and the zone hit test.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/drag/DragZoneManager.h"
#include "sim/SimDefaults.h"

namespace dovrik {
namespace {

using SP = SnapPosition;
using Zone = std::optional<SnapPosition>;

std::set<SnapPosition> allBut(std::optional<SnapPosition> p) {
  std::set<SnapPosition> s(allSnapPositions.begin(), allSnapPositions.end());
  if (p)
    s.erase(*p);
  return s;
}

class DragZoneManagerTest : public ::testing::Test {
 protected:
  // Each point's zone on `screen` with `enabled` positions.
  void expectZones(const Screen& screen, const std::set<SnapPosition>& enabled,
                   std::initializer_list<std::pair<Point, Zone>> cases) {
    for (const auto& [p, expected] : cases)
      EXPECT_EQ(zones.snapZone(p, screen, enabled), expected) << p.x << "," << p.y;
  }
  static Screen screenAt(Rect frame) { return Screen{1, "", frame, frame, std::nullopt}; }

  sim::SimDefaults stored;
  DragZoneManager zones{stored};
  const Screen main = screenAt({0, 0, 1440, 900});
  const std::set<SnapPosition> all = allBut(std::nullopt);
};

TEST_F(DragZoneManagerTest, FiguresOnA1440By900ScreenWithTheDefaults) {
  expectZones(main, all,
              {{{10, 450}, SP::leftHalf},
               {{1435, 450}, SP::rightHalf},
               {{700, 880}, SP::fullScreen},
               {{700, 20}, SP::bottomHalf},
               {{700, 450}, std::nullopt},
               {{50, 850}, SP::topLeft},
               {{1400, 10}, SP::bottomRight},
               {{1390, 880}, SP::topRight},
               {{5, 5}, SP::bottomLeft}});
  // Inclusive bounds: 48 is still in the band, 49 is not; the same for the corners at 60.
  expectZones(main, all,
              {{{48, 450}, SP::leftHalf},
               {{49, 450}, std::nullopt},
               {{1392, 450}, SP::rightHalf},
               {{700, 852}, SP::fullScreen},
               {{700, 851}, std::nullopt},
               {{60, 840}, SP::topLeft},
               {{61, 860}, SP::fullScreen},
               {{700, 48}, SP::bottomHalf},
               {{700, 49}, std::nullopt}});
}

TEST_F(DragZoneManagerTest, SwitchesDisabledPositionsAndOtherScreens) {
  // The side bands win over the top and bottom bands where they overlap.
  zones.setCornerSnappingEnabled(false);
  expectZones(main, all, {{{10, 890}, SP::leftHalf}, {{1430, 5}, SP::rightHalf}});
  zones.setCornerSnappingEnabled(true);
  zones.setEdgeSnappingEnabled(false);
  expectZones(main, all,
              {{{10, 890}, SP::topLeft},
               {{1430, 5}, SP::bottomRight},
               {{10, 450}, std::nullopt},
               {{700, 890}, std::nullopt}});
  // Edge band deeper than the corner square: outside the square is the band.
  zones.setEdgeSnappingEnabled(true);
  zones.setEdgeSensitivity(100);
  zones.setCornerSensitivity(30);
  expectZones(main, all, {{{80, 880}, SP::leftHalf}, {{30, 870}, SP::topLeft}});
  zones.reset();

  // A disabled position selects nothing and does not fall through to another.
  expectZones(main, allBut(SP::fullScreen),
              {{{700, 880}, std::nullopt}, {{50, 850}, SP::topLeft}, {{10, 450}, SP::leftHalf}});
  expectZones(main, allBut(SP::topLeft), {{{10, 890}, std::nullopt}, {{10, 450}, SP::leftHalf}});
  expectZones(main, {}, {{{10, 450}, std::nullopt}});

  // Bands are measured from the screen's own frame.
  expectZones(screenAt({1440, 0, 1920, 1080}), all,
              {{{1450, 500}, SP::leftHalf},
               {{1440 + 1920 - 1, 500}, SP::rightHalf},
               {{2000, 1080 - 48}, SP::fullScreen},
               {{1489, 500}, std::nullopt}});
  expectZones(
      screenAt({0, 900, 1440, 900}), all,
      {{{700, 948}, SP::bottomHalf}, {{700, 949}, std::nullopt}, {{10, 1790}, SP::topLeft}});
  expectZones(screenAt({-1280, -200, 1280, 1024}), all,
              {{{-1270, -190}, SP::bottomLeft}, {{-640, 800}, SP::fullScreen}});
}

TEST_F(DragZoneManagerTest, LoadsStoredValuesAndDefaultsWithoutWriting) {
  // The other defaults show in the zone figures and in what reset stores.
  EXPECT_EQ(zones.snapDelay(), 0.06);
  EXPECT_TRUE(stored.keys().empty());

  stored.set("dz_edgeSensitivity", "wide");  // a string for a number
  stored.set("dz_cornerSensitivity", 75);    // an integer is a number too
  stored.set("dz_snapDelay", 0.2);
  stored.set("dz_dragThreshold", true);  // a switch for a number
  stored.set("dz_cornerSnapping", false);
  stored.set("dz_edgeSnapping", 0);  // a number for a switch
  stored.set("dz_dragSnapping", Bytes{1});
  stored.set("dz_unrelated", 5.0);
  const auto before = stored.keys();
  const DragZoneManager loaded(stored);
  EXPECT_EQ(loaded.edgeSensitivity(), 48.0);
  EXPECT_EQ(loaded.cornerSensitivity(), 75.0);
  EXPECT_EQ(loaded.snapDelay(), 0.2);
  EXPECT_EQ(loaded.dragThreshold(), 10.0);
  EXPECT_FALSE(loaded.cornerSnappingEnabled());
  EXPECT_TRUE(loaded.edgeSnappingEnabled());
  EXPECT_TRUE(loaded.dragSnappingEnabled());
  // The unreadable values stay until the next write.
  EXPECT_EQ(stored.keys(), before);
  EXPECT_EQ(stored.stringValue("dz_edgeSensitivity"), "wide");
}

TEST_F(DragZoneManagerTest, SettersStoreAtOnceUnclampedAndNotify) {
  int notifications = 0;
  std::optional<double> storedWhenNotified;
  zones.changed.connect([&] {
    ++notifications;
    storedWhenNotified = stored.doubleValue("dz_snapDelay");
  });
  zones.setSnapDelay(5.5);
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(storedWhenNotified, 5.5);
  EXPECT_EQ(zones.snapDelay(), 5.5);
  zones.setEdgeSensitivity(-3);
  zones.setDragSnappingEnabled(false);
  EXPECT_EQ(notifications, 3);
  EXPECT_EQ(stored.object("dz_edgeSensitivity"), DefaultsValue(-3.0));
  EXPECT_EQ(stored.object("dz_dragSnapping"), DefaultsValue(false));
  EXPECT_EQ(DragZoneManager(stored).edgeSensitivity(), -3);
}

TEST_F(DragZoneManagerTest, ResetStoresEveryDefaultInOrder) {
  zones.setEdgeSensitivity(100);
  zones.setCornerSensitivity(30);
  zones.setSnapDelay(0.3);
  zones.setDragThreshold(25);
  zones.setCornerSnappingEnabled(false);
  zones.setEdgeSnappingEnabled(false);
  zones.setDragSnappingEnabled(false);
  const std::pair<const char*, DefaultsValue> defaults[] = {
      {"dz_edgeSensitivity", 48.0}, {"dz_cornerSensitivity", 60.0}, {"dz_snapDelay", 0.06},
      {"dz_dragThreshold", 10.0},   {"dz_cornerSnapping", true},    {"dz_edgeSnapping", true},
      {"dz_dragSnapping", true}};
  // Each notification finds the parameters reset so far stored, and only those.
  const auto pattern = [&] {
    std::string marks;
    for (const auto& [key, value] : defaults)
      marks += stored.object(key) == value ? 'D' : '-';
    return marks;
  };
  std::vector<std::string> seen;
  zones.changed.connect([&] { seen.push_back(pattern()); });
  zones.reset();
  EXPECT_EQ(seen, (std::vector<std::string>{"D------", "DD-----", "DDD----", "DDDD---", "DDDDD--",
                                            "DDDDDD-", "DDDDDDD"}));
}

}  // namespace
}  // namespace dovrik
