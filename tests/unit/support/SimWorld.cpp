// Pairs recorded accessibility writes into whole frames.
#include "tests/unit/support/SimWorld.h"

#include <gtest/gtest.h>

namespace dovrik::test {

std::vector<FrameWrite> frameWrites(const std::vector<sim::SimDesktop::Write>& writes) {
  std::vector<FrameWrite> frames;
  EXPECT_EQ(writes.size() % 2, 0u) << "a position write without its size write";
  for (std::size_t i = 0; i + 1 < writes.size(); i += 2) {
    const auto& position = writes[i];
    const auto& size = writes[i + 1];
    const Point* p = std::get_if<Point>(&position.value);
    const Size* s = std::get_if<Size>(&size.value);
    if (position.attribute != AXAttribute::Position || size.attribute != AXAttribute::Size ||
        position.time != size.time || position.element != size.element || !p || !s) {
      ADD_FAILURE() << "writes " << i << " and " << i + 1 << " are no position-then-size pair";
      continue;
    }
    frames.push_back({position.time, position.element, {p->x, p->y, s->width, s->height}});
  }
  return frames;
}

}  // namespace dovrik::test
