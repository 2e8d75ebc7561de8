// The clipboard popup's opening, placement, keys and closing.
#include "core/clipboard/ClipboardPopupController.h"

#include "core/clipboard/PopupPlacement.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik {

ClipboardPopupController::ClipboardPopupController(Ports ports, ClipboardManager& manager,
                                                   FileShelfManager& shelf,
                                                   const AppState& appState)
    : ports_(ports),
      manager_(manager),
      shelf_(shelf),
      model_(ports.model, manager, shelf, appState) {
  keyConnection_ = ports_.popupPanel.keyPressed.connect([this](PopupKey key) { handleKey(key); });
  expandConnection_ = model_.expandToggled.connect([this](bool expanded) {
    animateToHeight(expanded ? PopupPlacement::expandedHeight : PopupPlacement::collapsedHeight);
  });
  tabConnection_ = model_.tabChanged.connect([this](bool isShelf) {
    // Back on the clipboard tab the list is as long as the expand button says.
    if (isShelf)
      animateToHeight(PopupPlacement::shelfTabHeight);
    else
      animateToHeight(model_.isExpanded() ? PopupPlacement::expandedHeight
                                          : PopupPlacement::collapsedHeight);
  });
  hideConnections_ = {manager_.hidePopupRequested.connect([this] { hide(); }),
                      shelf_.hidePopupRequested.connect([this] { hide(); })};
}

ClipboardPopupController::~ClipboardPopupController() {
  manager_.hidePopupRequested.disconnect(hideConnections_[0]);
  shelf_.hidePopupRequested.disconnect(hideConnections_[1]);
  stopWatchingClicks();
  ports_.popupPanel.dropContent();
  ports_.popupPanel.keyPressed.disconnect(keyConnection_);
  model_.expandToggled.disconnect(expandConnection_);
  model_.tabChanged.disconnect(tabConnection_);
}

void ClipboardPopupController::show() {
  model_.reset();
  Screens& screens = ports_.screens;
  const std::vector<Screen> all = screens.screens();
  const std::optional<Screen> main = screens.mainScreen();
  // Without a pointer to go by, the middle of the main screen stands in for it.
  const Point pointer = screens.mouseLocation().value_or(
      main ? Point{main->visibleFrame.midX(), main->visibleFrame.midY()} : Point{});
  const Rect frame = PopupPlacement::positionAtCursor(
      pointer, PopupPlacement::screenUnderPointer(pointer, all, main),
      PopupPlacement::collapsedHeight);
  Rect below = frame;
  below.y -= riseDistance;
  ports_.popupPanel.show(model_, below, frame, showAnimation);
  stopWatchingClicks();
  watchClicks();
}

void ClipboardPopupController::hide() {
  if (!ports_.popupPanel.isVisible())
    return;
  stopWatchingClicks();
  ports_.popupPanel.hide(hideAnimation);
}

void ClipboardPopupController::toggle() {
  if (isVisible())
    hide();
  else
    show();
}

void ClipboardPopupController::animateToHeight(double height) {
  Screens& screens = ports_.screens;
  std::optional<Screen> screen = screens.mainScreen();
  if (const auto pointer = screens.mouseLocation())
    screen = PopupPlacement::screenUnderPointer(*pointer, screens.screens(), screen);
  ports_.popupPanel.animateFrame(PopupPlacement::resized(ports_.popupPanel.frame(), height, screen),
                                 resizeAnimation);
}

void ClipboardPopupController::handleKey(PopupKey key) {
  switch (key) {
    case PopupKey::down:
      model_.moveDown();
      return;
    case PopupKey::up:
      model_.moveUp();
      return;
    case PopupKey::select:
      model_.selectCurrent();
      return;
    case PopupKey::selectPlainText:
      model_.selectCurrent(PasteForm::plainText);
      return;
    case PopupKey::escape:
      // Escape first lets go of a stack being gathered; the next one closes.
      if (model_.hasStack())
        model_.clearStack();
      else
        hide();
      return;
    case PopupKey::stack:
      model_.toggleStacked();
      return;
  }
}

void ClipboardPopupController::watchClicks() {
  pressedOutside_ = false;
  clickTap_ = ports_.eventTap.install([this](const TapEvent& event) { handleClick(event); });
}

void ClipboardPopupController::stopWatchingClicks() {
  if (clickTap_)
    ports_.eventTap.remove(*clickTap_);
  clickTap_.reset();
}

void ClipboardPopupController::handleClick(const TapEvent& event) {
  // Every move of a held button comes here too; only presses and releases need the screens.
  const auto isOutside = [&] {
    const Point where = flipPoint(event.location, primaryScreenHeight(ports_.screens.screens()));
    const Rect frame = ports_.popupPanel.frame();
    return !(where.x >= frame.minX() && where.x <= frame.maxX() && where.y >= frame.minY() &&
             where.y <= frame.maxY());
  };
  switch (event.type) {
    case TapEventType::leftMouseDown:
      pressedOutside_ = isOutside();
      return;
    case TapEventType::leftMouseUp:
      if (pressedOutside_ && isOutside())
        hide();
      pressedOutside_ = false;
      return;
    case TapEventType::rightMouseDown:
      if (isOutside())
        hide();
      return;
    case TapEventType::leftMouseDragged:
    case TapEventType::tapDisabledByTimeout:
    case TapEventType::tapDisabledByUserInput:
      return;
  }
}

}  // namespace dovrik
