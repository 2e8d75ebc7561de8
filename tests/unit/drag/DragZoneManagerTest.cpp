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

std::set<SnapPosition> all() {
  return {allSnapPositions.begin(), allSnapPositions.end()};
}

std::set<SnapPosition> allBut(SnapPosition p) {
  auto s = all();
  s.erase(p);
  return s;
}

Screen screenAt(Rect frame) {
  return Screen{1, "", frame, frame};
}

class DragZoneManagerTest : public ::testing::Test {
 protected:
  sim::SimDefaults stored;
  const Screen main = screenAt({0, 0, 1440, 900});
};

TEST_F(DragZoneManagerTest, FiguresOnA1440By900ScreenWithTheDefaults) {
  DragZoneManager zones(stored);
  const std::pair<Point, Zone> cases[] = {
      {{10, 450}, SP::leftHalf},
      {{1435, 450}, SP::rightHalf},
      {{700, 880}, SP::fullScreen},
      {{700, 20}, SP::bottomHalf},
      {{700, 450}, std::nullopt},
      {{50, 850}, SP::topLeft},
      {{1400, 10}, SP::bottomRight},
      {{1390, 880}, SP::topRight},
      {{5, 5}, SP::bottomLeft},
      // Inclusive bounds: 48 is still in the band, 49 is not; the same for the corners at 60.
      {{48, 450}, SP::leftHalf},
      {{49, 450}, std::nullopt},
      {{1392, 450}, SP::rightHalf},
      {{700, 852}, SP::fullScreen},
      {{700, 851}, std::nullopt},
      {{60, 840}, SP::topLeft},
      {{61, 860}, SP::fullScreen},
      {{700, 48}, SP::bottomHalf},
      {{700, 49}, std::nullopt},
  };
  for (const auto& [p, expected] : cases) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_EQ(zones.snapZone(p, main, all()), expected);
  }
}

TEST_F(DragZoneManagerTest, CornerAndEdgeSwitches) {
  DragZoneManager zones(stored);
  zones.setCornerSnappingEnabled(false);
  // The side bands win over the top and bottom bands where they overlap.
  EXPECT_EQ(zones.snapZone({10, 890}, main, all()), SP::leftHalf);
  EXPECT_EQ(zones.snapZone({1430, 5}, main, all()), SP::rightHalf);

  zones.setCornerSnappingEnabled(true);
  zones.setEdgeSnappingEnabled(false);
  EXPECT_EQ(zones.snapZone({10, 890}, main, all()), SP::topLeft);
  EXPECT_EQ(zones.snapZone({1430, 5}, main, all()), SP::bottomRight);
  EXPECT_EQ(zones.snapZone({10, 450}, main, all()), std::nullopt);
  EXPECT_EQ(zones.snapZone({700, 890}, main, all()), std::nullopt);

  // Edge band deeper than the corner square: outside the square is the band.
  zones.setEdgeSnappingEnabled(true);
  zones.setEdgeSensitivity(100);
  zones.setCornerSensitivity(30);
  EXPECT_EQ(zones.snapZone({80, 880}, main, all()), SP::leftHalf);
  EXPECT_EQ(zones.snapZone({30, 870}, main, all()), SP::topLeft);
}

TEST_F(DragZoneManagerTest, DisabledPositionsSelectNothingAndDoNotFallThrough) {
  DragZoneManager zones(stored);
  const auto noFull = allBut(SP::fullScreen);
  EXPECT_EQ(zones.snapZone({700, 880}, main, noFull), std::nullopt);
  EXPECT_EQ(zones.snapZone({50, 850}, main, noFull), SP::topLeft);
  EXPECT_EQ(zones.snapZone({10, 450}, main, noFull), SP::leftHalf);

  const auto noTopLeft = allBut(SP::topLeft);
  EXPECT_EQ(zones.snapZone({10, 890}, main, noTopLeft), std::nullopt);
  EXPECT_EQ(zones.snapZone({10, 450}, main, noTopLeft), SP::leftHalf);
  EXPECT_EQ(zones.snapZone({10, 450}, main, {}), std::nullopt);
}

TEST_F(DragZoneManagerTest, BandsAreMeasuredFromTheScreensOwnFrame) {
  DragZoneManager zones(stored);
  const Screen right = screenAt({1440, 0, 1920, 1080});
  EXPECT_EQ(zones.snapZone({1450, 500}, right, all()), SP::leftHalf);
  EXPECT_EQ(zones.snapZone({1440 + 1920 - 1, 500}, right, all()), SP::rightHalf);
  EXPECT_EQ(zones.snapZone({2000, 1080 - 48}, right, all()), SP::fullScreen);
  EXPECT_EQ(zones.snapZone({1489, 500}, right, all()), std::nullopt);

  const Screen above = screenAt({0, 900, 1440, 900});
  EXPECT_EQ(zones.snapZone({700, 948}, above, all()), SP::bottomHalf);
  EXPECT_EQ(zones.snapZone({700, 949}, above, all()), std::nullopt);
  EXPECT_EQ(zones.snapZone({10, 1790}, above, all()), SP::topLeft);

  const Screen left = screenAt({-1280, -200, 1280, 1024});
  EXPECT_EQ(zones.snapZone({-1270, -190}, left, all()), SP::bottomLeft);
  EXPECT_EQ(zones.snapZone({-640, 800}, left, all()), SP::fullScreen);
}

TEST_F(DragZoneManagerTest, LoadsStoredValuesAndDefaultsWithoutWriting) {
  {
    DragZoneManager zones(stored);
    EXPECT_EQ(zones.edgeSensitivity(), 48.0);
    EXPECT_EQ(zones.cornerSensitivity(), 60.0);
    EXPECT_EQ(zones.snapDelay(), 0.06);
    EXPECT_EQ(zones.dragThreshold(), 10.0);
    EXPECT_TRUE(zones.cornerSnappingEnabled());
    EXPECT_TRUE(zones.edgeSnappingEnabled());
    EXPECT_TRUE(zones.dragSnappingEnabled());
    EXPECT_TRUE(stored.keys().empty());
  }
  stored.set("dz_edgeSensitivity", "wide");  // a string for a number
  stored.set("dz_cornerSensitivity", 75);    // an integer is a number too
  stored.set("dz_snapDelay", 0.2);
  stored.set("dz_dragThreshold", true);  // a switch for a number
  stored.set("dz_cornerSnapping", false);
  stored.set("dz_edgeSnapping", 0);  // a number for a switch
  stored.set("dz_dragSnapping", Bytes{1});
  stored.set("dz_unrelated", 5.0);
  const auto before = stored.keys();

  DragZoneManager zones(stored);
  EXPECT_EQ(zones.edgeSensitivity(), 48.0);
  EXPECT_EQ(zones.cornerSensitivity(), 75.0);
  EXPECT_EQ(zones.snapDelay(), 0.2);
  EXPECT_EQ(zones.dragThreshold(), 10.0);
  EXPECT_FALSE(zones.cornerSnappingEnabled());
  EXPECT_TRUE(zones.edgeSnappingEnabled());
  EXPECT_TRUE(zones.dragSnappingEnabled());
  // The unreadable values stay until the next write.
  EXPECT_EQ(stored.keys(), before);
  EXPECT_EQ(stored.stringValue("dz_edgeSensitivity"), "wide");
}

TEST_F(DragZoneManagerTest, SettersStoreAtOnceUnclampedAndNotify) {
  DragZoneManager zones(stored);
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
  DragZoneManager zones(stored);
  zones.setEdgeSensitivity(100);
  zones.setCornerSensitivity(30);
  zones.setSnapDelay(0.3);
  zones.setDragThreshold(25);
  zones.setCornerSnappingEnabled(false);
  zones.setEdgeSnappingEnabled(false);
  zones.setDragSnappingEnabled(false);

  // Each notification finds the parameters reset so far stored, and only those.
  std::vector<std::string> storedDefaults;
  zones.changed.connect([&] {
    const DragZoneManager fresh(stored);
    const bool isDefault[] = {fresh.edgeSensitivity() == 48, fresh.cornerSensitivity() == 60,
                              fresh.snapDelay() == 0.06,     fresh.dragThreshold() == 10,
                              fresh.cornerSnappingEnabled(), fresh.edgeSnappingEnabled(),
                              fresh.dragSnappingEnabled()};
    std::string pattern;
    for (bool d : isDefault)
      pattern += d ? 'D' : '-';
    storedDefaults.push_back(pattern);
  });
  zones.reset();
  EXPECT_EQ(storedDefaults, (std::vector<std::string>{"D------", "DD-----", "DDD----", "DDDD---",
                                                      "DDDDD--", "DDDDDD-", "DDDDDDD"}));
  EXPECT_EQ(stored.object("dz_edgeSensitivity"), DefaultsValue(48.0));
  EXPECT_EQ(stored.object("dz_cornerSensitivity"), DefaultsValue(60.0));
  EXPECT_EQ(stored.object("dz_snapDelay"), DefaultsValue(0.06));
  EXPECT_EQ(stored.object("dz_dragThreshold"), DefaultsValue(10.0));
  EXPECT_EQ(stored.object("dz_cornerSnapping"), DefaultsValue(true));
  EXPECT_EQ(stored.object("dz_edgeSnapping"), DefaultsValue(true));
  EXPECT_EQ(stored.object("dz_dragSnapping"), DefaultsValue(true));
}

}  // namespace
}  // namespace dovrik
