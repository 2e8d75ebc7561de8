// The Drag Zones panel's sliders, miniature and reset.
#include "core/settings/DragZonesPanelModel.h"

namespace dovrik {

const SettingSlider& DragZonesPanelModel::slider(Parameter parameter) {
  static constexpr std::array<SettingSlider, 4> sliders = {{
      {"Edge Zone", 20, 120, 0, "px", 0},
      {"Corner Zone", 30, 150, 0, "px", 0},
      {"Drag Threshold", 4, 30, 0, "px", 0},
      {"Snap Delay", 0, 0.3, 0, "s", 2},
  }};
  return sliders[static_cast<std::size_t>(parameter)];
}

DragZonesPanelModel::DragZonesPanelModel(DragZoneManager& zones, EdgeTilingGuard& edgeTiling,
                                         Screens& screens, const DragMonitor& monitor)
    : zones_(zones), edgeTiling_(edgeTiling), screens_(screens), monitor_(monitor) {
  zonesObserver_ = zones_.changed.connect([this] { changed.emit(); });
  edgeTilingObserver_ = edgeTiling_.changed.connect([this] { changed.emit(); });
}

DragZonesPanelModel::~DragZonesPanelModel() {
  zones_.changed.disconnect(zonesObserver_);
  edgeTiling_.changed.disconnect(edgeTilingObserver_);
}

std::optional<std::string_view> DragZonesPanelModel::dragsNotFollowedNotice() const {
  if (monitor_.followsWindowDrags())
    return std::nullopt;
  return DragMonitor::dragsNotFollowedText;
}

double DragZonesPanelModel::value(Parameter parameter) const {
  switch (parameter) {
    case Parameter::edgeSensitivity:
      return zones_.edgeSensitivity();
    case Parameter::cornerSensitivity:
      return zones_.cornerSensitivity();
    case Parameter::dragThreshold:
      return zones_.dragThreshold();
    case Parameter::snapDelay:
      return zones_.snapDelay();
  }
  return 0;
}

void DragZonesPanelModel::setValue(Parameter parameter, double value) {
  const double v = slider(parameter).clamp(value);
  switch (parameter) {
    case Parameter::edgeSensitivity:
      return zones_.setEdgeSensitivity(v);
    case Parameter::cornerSensitivity:
      return zones_.setCornerSensitivity(v);
    case Parameter::dragThreshold:
      return zones_.setDragThreshold(v);
    case Parameter::snapDelay:
      return zones_.setSnapDelay(v);
  }
}

std::string DragZonesPanelModel::valueText(Parameter parameter) const {
  return slider(parameter).valueText(value(parameter));
}

DragZonePreview DragZonesPanelModel::preview(double width) const {
  const auto main = screens_.mainScreen();
  // Without a screen the miniature takes the most common proportions.
  const Size screen = main ? Size{main->frame.width, main->frame.height} : Size{1440, 900};
  return DragZonePreview::make(screen, width, zones_);
}

void DragZonesPanelModel::requestReset() {
  showResetConfirm_ = true;
  changed.emit();
}

std::optional<Confirmation> DragZonesPanelModel::resetConfirmation() const {
  if (!showResetConfirm_)
    return std::nullopt;
  return Confirmation{"Reset all drag zone settings?",
                      "Sensitivity, thresholds and zone toggles all return to their defaults.",
                      "Reset"};
}

void DragZonesPanelModel::confirmReset() {
  const bool asked = showResetConfirm_;
  showResetConfirm_ = false;
  if (asked)
    zones_.reset();
  changed.emit();
}

void DragZonesPanelModel::cancelReset() {
  showResetConfirm_ = false;
  changed.emit();
}

}  // namespace dovrik
