// Cutting docks' struts out of monitors, on layouts that trip naive approaches.
#include "linux/x11/UsableArea.h"

#include <gtest/gtest.h>

namespace dovrik::x11test {
namespace {

using x11::Monitor;
using x11::PixelRect;
using x11::Strut;

TEST(UsableAreaTest, StrutsCutOnlyTheMonitorTheyReach) {
  // A 1920 × 1080 monitor on the left of a shorter 1280 × 1024 one.
  const Monitor left{"L", 0, 0, 1920, 1080, true};
  const Monitor right{"R", 1920, 0, 1280, 1024, false};
  const auto strut = [](std::vector<std::uint32_t> values) {
    return *Strut::fromValues(values, 3200, 1080);
  };
  const Strut topOfRight = strut({0, 0, 28, 0, 0, 0, 0, 0, 1920, 3199, 0, 0});
  // A bottom strut is measured from the root's bottom edge, so 56 pixels reach
  // 56 − (1080 − 1024) = 0 pixels into the right monitor, and 100 reach 44.
  const Strut shallow = strut({0, 0, 0, 56, 0, 0, 0, 0, 0, 0, 1920, 3199});
  const Strut deep = strut({0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 1920, 3199});
  // A dock at the left edge of the right monitor reserves 1920 + 48 from the root's left edge.
  const Strut inner = strut({1968, 0, 0, 0, 0, 1023, 0, 0, 0, 0, 0, 0});
  // An old-style strut spans its whole edge; struts combine.
  const Strut old = *Strut::fromValues({0, 30, 0, 0}, 3200, 1080);
  const Strut topOfLeft = strut({0, 0, 25, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
  const struct {
    const Monitor& monitor;
    std::vector<Strut> struts;
    PixelRect usable;
  } cases[] = {
      {left, {topOfRight}, {0, 0, 1920, 1080}},
      {right, {topOfRight}, {1920, 28, 1280, 996}},
      {right, {shallow}, {1920, 0, 1280, 1024}},
      {right, {deep}, {1920, 0, 1280, 980}},
      {left, {inner}, {0, 0, 1920, 1080}},
      {right, {inner}, {1968, 0, 1232, 1024}},
      {right, {old, topOfLeft}, {1920, 0, 1250, 1024}},
      {left, {old, topOfLeft}, {0, 25, 1920, 1055}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(x11::usableArea(c.monitor, c.struts, 3200, 1080), c.usable)
        << c.monitor.name << " case " << (&c - cases);
  }
  EXPECT_FALSE(Strut::fromValues({1, 2}, 3200, 1080));
}

}  // namespace
}  // namespace dovrik::x11test
