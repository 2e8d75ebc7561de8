// Opens and closes the clipboard popup: builds its content afresh at each opening, places it at
// the pointer, resizes it when the content asks, turns the navigation keys into the content's
// moves, and closes it on Escape, on a click elsewhere and when the history goes off.
#pragma once

#include <array>
#include <optional>

#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardPopupModel.h"
#include "core/platform/EventTap.h"
#include "core/platform/PopupPanel.h"
#include "core/platform/Screens.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardPopupController {
 public:
  static constexpr TimedAnimation showAnimation{AnimationCurve::easeOut, 0.18};
  static constexpr TimedAnimation resizeAnimation{AnimationCurve::easeInOut, 0.24};
  static constexpr TimedAnimation hideAnimation{AnimationCurve::easeIn, 0.12};
  // The popup rises into place by this much as it fades in.
  static constexpr double riseDistance = 8;

  // The ports the popup is placed and closed with, and those of its content.
  struct Ports {
    Screens& screens;
    EventTap& eventTap;
    PopupPanel& popupPanel;
    ClipboardPopupModel::Ports model;
  };

  ClipboardPopupController(Ports ports, ClipboardManager& manager, FileShelfManager& shelf,
                           const AppState& appState);
  ClipboardPopupController(const ClipboardPopupController&) = delete;
  ClipboardPopupController& operator=(const ClipboardPopupController&) = delete;
  ~ClipboardPopupController();

  // Opens the popup at the pointer with its content in the opening state; while it is shown
  // already, builds it again there.
  void show();
  // Closes it with a fade; nothing when it is not shown.
  void hide();
  // What the clipboard hotkey does: a popup that is visible, also while it fades out, closes.
  void toggle();
  bool isVisible() const { return ports_.popupPanel.isVisible(); }

  ClipboardPopupModel& model() { return model_; }

 private:
  void animateToHeight(double height);
  void handleKey(PopupKey key);
  void watchClicks();
  void stopWatchingClicks();
  void handleClick(const TapEvent& event);

  Ports ports_;
  ClipboardManager& manager_;
  FileShelfManager& shelf_;
  ClipboardPopupModel model_;
  std::optional<EventTapRef> clickTap_;
  // A left press outside the popup since it opened: only its release closes the popup, so
  // the release of the click that opened it (from the tray menu) does not.
  bool pressedOutside_ = false;
  Signal<PopupKey>::Connection keyConnection_;
  Signal<bool>::Connection expandConnection_;
  Signal<bool>::Connection tabConnection_;
  std::array<Signal<>::Connection, 2> hideConnections_{};
};

}  // namespace dovrik
