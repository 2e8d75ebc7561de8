// The Snapping panel's bindings.
#include "core/settings/SnappingPanelModel.h"

#include <string>

namespace dovrik {

SnappingPanelModel::SnappingPanelModel(AppState& appState, const PlatformTexts& texts)
    : appState_(appState), texts_(texts) {}

bool SnappingPanelModel::isEnabled(SnapPosition position) const {
  return appState_.enabledPositions().contains(position);
}

void SnappingPanelModel::setEnabled(SnapPosition position, bool enabled) {
  std::set<SnapPosition> positions = appState_.enabledPositions();
  if (enabled)
    positions.insert(position);
  else
    positions.erase(position);
  appState_.setEnabledPositions(positions);
}

AnimationSpeed SnappingPanelModel::speed() const {
  return animationSpeedFromRawValue(appState_.animationSpeedRaw()).value_or(AnimationSpeed::normal);
}

void SnappingPanelModel::setSpeed(AnimationSpeed speed) {
  appState_.setAnimationSpeedRaw(std::string(rawValue(speed)));
}

void SnappingPanelModel::setOpacity(double value) {
  appState_.setPreviewOpacity(opacitySlider.clamp(value));
}

double SnappingPanelModel::gap() const {
  return gapSlider.clamp(static_cast<double>(appState_.snapGap()));
}

void SnappingPanelModel::setGap(double value) {
  appState_.setSnapGap(static_cast<std::int64_t>(gapSlider.clamp(value)));
}

}  // namespace dovrik
