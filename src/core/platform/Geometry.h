// Points, sizes and rectangles in double-precision points, shared by every subsystem.
#pragma once

#include <algorithm>

namespace dovrik {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double minX() const { return x; }
  double maxX() const { return x + width; }
  double minY() const { return y; }
  double maxY() const { return y + height; }
  double midX() const { return x + width / 2; }
  double midY() const { return y + height / 2; }
  Point origin() const { return {x, y}; }
  Size size() const { return {width, height}; }

  // Area shared with another rectangle; 0 when they do not meet.
  double intersectionArea(const Rect& other) const {
    const double w = std::min(maxX(), other.maxX()) - std::max(minX(), other.minX());
    const double h = std::min(maxY(), other.maxY()) - std::max(minY(), other.minY());
    return (w > 0 && h > 0) ? w * h : 0;
  }

  // Mouse-in-rect rule of a y-up space: the left and top edges are inside, the right and
  // bottom edges outside, so a point on a border between two screens belongs to exactly one.
  bool containsMouse(Point p) const {
    return p.x >= minX() && p.x < maxX() && p.y > minY() && p.y <= maxY();
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace dovrik
