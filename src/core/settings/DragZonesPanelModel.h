// The Drag Zones panel: the zone switches, the four sensitivity sliders, the miniature of the
// zones and the reset of every drag-zone setting behind a confirmation, with what became of the
// window manager's own edge tiling; on a desktop that does not follow window drags, only why
// there is nothing to set.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/drag/DragMonitor.h"
#include "core/drag/DragZoneManager.h"
#include "core/drag/EdgeTilingGuard.h"
#include "core/platform/Screens.h"
#include "core/settings/Confirmation.h"
#include "core/settings/DragZonePreview.h"
#include "core/settings/SettingSlider.h"
#include "core/support/Signal.h"

namespace dovrik {

class DragZonesPanelModel {
 public:
  static constexpr std::string_view symbol = "arrow.left.and.right.square";
  static constexpr std::string_view title = "Drag Zones";
  static constexpr std::string_view resetTitle = "Reset Defaults";
  static constexpr std::string_view featuresSection = "Features";
  static constexpr std::string_view sensitivitySection = "Sensitivity";
  static constexpr std::string_view previewSection = "Zone Preview";

  enum class Parameter { edgeSensitivity, cornerSensitivity, dragThreshold, snapDelay };
  static constexpr std::array<Parameter, 4> parameters = {
      Parameter::edgeSensitivity, Parameter::cornerSensitivity, Parameter::dragThreshold,
      Parameter::snapDelay};
  static const SettingSlider& slider(Parameter parameter);

  DragZonesPanelModel(DragZoneManager& zones, EdgeTilingGuard& edgeTiling, Screens& screens,
                      const DragMonitor& monitor);
  DragZonesPanelModel(const DragZonesPanelModel&) = delete;
  DragZonesPanelModel& operator=(const DragZonesPanelModel&) = delete;
  ~DragZonesPanelModel();

  DragZoneManager& zones() { return zones_; }

  // Shown under the title instead of every control where the desktop does not follow window
  // drags; nothing where it does.
  std::optional<std::string_view> dragsNotFollowedNotice() const;

  double value(Parameter parameter) const;
  // Stored at once, inside the slider's range.
  void setValue(Parameter parameter, double value);
  // "48px", "0.06s".
  std::string valueText(Parameter parameter) const;

  // The window manager's edge tiling that the user has to turn off, as a warning.
  std::optional<std::string> edgeTilingWarning() const { return edgeTiling_.leftOnNotice(); }
  // That Dovrik holds it off for now, as a note.
  std::optional<std::string> edgeTilingNote() const { return edgeTiling_.heldOffNotice(); }

  // The miniature `width` wide, in the proportions of the main screen.
  DragZonePreview preview(double width) const;

  void requestReset();
  std::optional<Confirmation> resetConfirmation() const;
  void confirmReset();
  void cancelReset();

  Signal<> changed;

 private:
  DragZoneManager& zones_;
  EdgeTilingGuard& edgeTiling_;
  Screens& screens_;
  const DragMonitor& monitor_;
  bool showResetConfirm_ = false;
  Signal<>::Connection zonesObserver_ = 0;
  Signal<>::Connection edgeTilingObserver_ = 0;
};

}  // namespace dovrik
