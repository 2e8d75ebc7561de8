// Text forms and target geometry of the snap positions.
#include "core/model/SnapPosition.h"

namespace dovrik {
namespace {

struct PositionInfo {
  std::string_view raw;
  std::string_view icon;
};

constexpr std::array<PositionInfo, 10> kInfo = {{
    {"Left Half", "rectangle.lefthalf.filled"},
    {"Right Half", "rectangle.righthalf.filled"},
    {"Top Half", "rectangle.tophalf.filled"},
    {"Bottom Half", "rectangle.bottomhalf.filled"},
    {"Full Screen", "rectangle.fill"},
    {"Top Left", "rectangle.topleft.filled"},
    {"Top Right", "rectangle.topright.filled"},
    {"Bottom Left", "rectangle.bottomleft.filled"},
    {"Bottom Right", "rectangle.bottomright.filled"},
    {"Center", "rectangle.center.inset.filled"},
}};

const PositionInfo& info(SnapPosition position) {
  return kInfo[static_cast<int>(position)];
}

}  // namespace

std::string_view rawValue(SnapPosition position) {
  return info(position).raw;
}

std::string_view icon(SnapPosition position) {
  return info(position).icon;
}

std::optional<SnapPosition> snapPositionFromRawValue(std::string_view text) {
  for (SnapPosition p : allSnapPositions) {
    if (rawValue(p) == text)
      return p;
  }
  return std::nullopt;
}

Rect targetFrame(SnapPosition position, const Rect& visible) {
  const double X = visible.minX();
  const double Y = visible.minY();
  const double W = visible.width;
  const double H = visible.height;
  switch (position) {
    case SnapPosition::leftHalf:
      return {X, Y, W / 2, H};
    case SnapPosition::rightHalf:
      return {X + W / 2, Y, W / 2, H};
    case SnapPosition::topHalf:
      return {X, Y + H / 2, W, H / 2};
    case SnapPosition::bottomHalf:
      return {X, Y, W, H / 2};
    case SnapPosition::fullScreen:
      return visible;
    case SnapPosition::topLeft:
      return {X, Y + H / 2, W / 2, H / 2};
    case SnapPosition::topRight:
      return {X + W / 2, Y + H / 2, W / 2, H / 2};
    case SnapPosition::bottomLeft:
      return {X, Y, W / 2, H / 2};
    case SnapPosition::bottomRight:
      return {X + W / 2, Y, W / 2, H / 2};
    case SnapPosition::center:
      return {X + (W - 0.6 * W) * 0.5, Y + (H - 0.6 * H) * 0.5, 0.6 * W, 0.6 * H};
  }
  return visible;
}

Json toJson(SnapPosition position) {
  return std::string(rawValue(position));
}

std::optional<SnapPosition> snapPositionFromJson(const Json& json) {
  if (!json.is_string())
    return std::nullopt;
  return snapPositionFromRawValue(json.get_ref<const std::string&>());
}

}  // namespace dovrik
