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
    EXPECT_EQ(position.attribute, AXAttribute::Position) << "write " << i;
    EXPECT_EQ(size.attribute, AXAttribute::Size) << "write " << i + 1;
    EXPECT_EQ(position.time, size.time) << "write " << i;
    EXPECT_EQ(position.element, size.element) << "write " << i;
    const Point* p = std::get_if<Point>(&position.value);
    const Size* s = std::get_if<Size>(&size.value);
    if (!p || !s) {
      ADD_FAILURE() << "write " << i << " carries the wrong kind of value";
      continue;
    }
    frames.push_back({position.time, position.element, {p->x, p->y, s->width, s->height}});
  }
  return frames;
}

}  // namespace dovrik::test
