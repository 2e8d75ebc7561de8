// The Snapping panel: which positions are offered, the motion of a snap, and the look of the
// snap preview.
#pragma once

#include <string>
#include <string_view>

#include "core/model/AnimationSpeed.h"
#include "core/model/AppState.h"
#include "core/model/SnapPosition.h"
#include "core/platform/PlatformTexts.h"
#include "core/settings/SettingSlider.h"
#include "core/windows/SnapFrames.h"

namespace dovrik {

class SnappingPanelModel {
 public:
  static constexpr std::string_view symbol = "rectangle.3.group.fill";
  static constexpr std::string_view title = "Snapping";
  static constexpr std::string_view positionsSection = "Snap Positions";
  static constexpr std::string_view motionSection = "Motion";
  static constexpr std::string_view animateTitle = "Animate windows into place";
  static constexpr std::string_view animateSubtitle = "Off snaps instantly";
  static constexpr std::string_view speedTitle = "Speed";
  static constexpr std::string_view speedSubtitle = "How long the animation takes";
  static constexpr std::string_view restoreSizeTitle =
      "Restore size when dragging a snapped window away";
  static constexpr std::string_view restoreSizeSubtitle =
      "It takes back the size it had before the snap";
  static constexpr std::string_view previewSection = "Preview Overlay";
  static constexpr std::string_view opacitySubtitle = "How solid the snap preview looks";
  static constexpr std::string_view roundedCornersTitle = "Rounded corners";
  static constexpr SettingSlider opacitySlider{"Opacity", 0.1, 0.7, 0.05, "", 0};
  static constexpr std::string_view sizesSection = "Sizes and Spacing";
  static constexpr std::string_view cycleSizesTitle =
      "Cycle sizes when a shortcut is pressed again";
  static constexpr std::string_view cycleSizesSubtitle =
      "Halves and quarters step through 1/2, 2/3 and 1/3 of the screen";
  static constexpr SettingSlider gapSlider{"Gap between windows", 0, maximumSnapGap, 1, "px", 0};
  static constexpr std::string_view gapSubtitle = "Kept between windows and to the edges";

  SnappingPanelModel(AppState& appState, const PlatformTexts& texts);

  bool isEnabled(SnapPosition position) const;
  void setEnabled(SnapPosition position, bool enabled);

  bool animationsEnabled() const { return appState_.animationsEnabled(); }
  void setAnimationsEnabled(bool enabled) { appState_.setAnimationsEnabled(enabled); }
  // A stored text that is no speed shows as "Normal", as it behaves.
  AnimationSpeed speed() const;
  void setSpeed(AnimationSpeed speed);
  bool speedPickerEnabled() const { return animationsEnabled(); }

  bool restoreSizeOnDrag() const { return appState_.restoreSizeOnDrag(); }
  void setRestoreSizeOnDrag(bool enabled) { appState_.setRestoreSizeOnDrag(enabled); }

  double opacity() const { return appState_.previewOpacity(); }
  // Kept between 10 % and 70 %, on steps of 5 %.
  void setOpacity(double value);
  std::string opacityText() const { return SettingSlider::percentText(opacity()); }
  bool roundedCorners() const { return appState_.useRoundedCorners(); }
  void setRoundedCorners(bool enabled) { appState_.setUseRoundedCorners(enabled); }
  const std::string& roundedCornersSubtitle() const { return texts_.roundedCornersDetail; }

  bool cyclesSizes() const { return appState_.cyclesSnapSizes(); }
  void setCyclesSizes(bool enabled) { appState_.setCyclesSnapSizes(enabled); }
  // A stored gap outside the slider's range shows at the nearest end.
  double gap() const;
  // Kept between 0 and 24 points, on whole points.
  void setGap(double value);
  std::string gapText() const { return gapSlider.valueText(gap()); }

 private:
  AppState& appState_;
  const PlatformTexts& texts_;
};

}  // namespace dovrik
