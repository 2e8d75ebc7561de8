// The clipboard popup on an X11 desktop: an override-redirect window above every other, on
// every desktop, that never becomes the active window. While shown it holds a keyboard grab
// (as menus do), so the application the user was typing in keeps the input focus and
// `_NET_ACTIVE_WINDOW`, and the paste lands there; the pointer stays free, so files can be
// dragged onto it from a file manager.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QTimer>
#include <QWidget>

#include "core/platform/PopupPanel.h"
#include "core/theme/ColorScheme.h"

class QPropertyAnimation;
class QVariantAnimation;

namespace dovrik::ui {

class ClipboardPopupView;

class ClipboardPopupWindow : public QWidget, public PopupPanel {
 public:
  // Carries a frame from desktop space to X root coordinates, as the X adapters see them.
  using DesktopToRoot = std::function<Rect(const Rect&)>;

  // Offered each key press first, with its X key code and state, while the popup holds the
  // keyboard; answers whether it was a global hotkey, which the grab keeps from its own grab.
  using HotkeyFilter = std::function<bool(std::uint8_t keycode, std::uint16_t state)>;

  // Where the desktop, not Qt, places Dovrik's windows (Wayland): `present` puts the shown
  // window at a frame in desktop space, above the others, with the keyboard; `dismissed` hands
  // the keyboard back to the window that had it. Empty where Qt places the window itself.
  struct DesktopPlacement {
    std::function<void(const std::string& title, const Rect& desktopFrame)> present;
    std::function<void()> dismissed;
  };

  ClipboardPopupWindow(DesktopToRoot desktopToRoot, HotkeyFilter hotkeys, ColorScheme scheme,
                       DesktopPlacement placement = {});
  ~ClipboardPopupWindow() override;

  bool isVisible() const override { return QWidget::isVisible(); }
  Rect frame() const override { return frame_; }
  void show(ClipboardPopupModel& content, const Rect& from, const Rect& to,
            TimedAnimation animation) override;
  void animateFrame(const Rect& to, TimedAnimation animation) override;
  void hide(TimedAnimation animation) override;
  void dropContent() override;

  // Re-colours the content at once, also while it is shown.
  void setColorScheme(ColorScheme scheme);
  ClipboardPopupView* content() const { return content_; }
  // Whether the keyboard grab is held.
  bool hasKeyboard() const { return hasKeyboard_; }

 protected:
  // The navigation keys, before they reach the search field.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void presentPlaced(const Rect& to);
  void moveTo(const Rect& desktopFrame, TimedAnimation animation);
  void tryToGrabKeyboard();
  void releaseKeyboard();
  void updateShape();

  DesktopToRoot desktopToRoot_;
  HotkeyFilter hotkeys_;
  DesktopPlacement placement_;
  ColorScheme scheme_;
  Rect frame_;
  // Built at the first opening and kept: it draws whatever state the model is in, and the
  // model starts over at each opening.
  ClipboardPopupView* content_ = nullptr;
  const ClipboardPopupModel* contentModel_ = nullptr;
  QVariantAnimation* fade_ = nullptr;
  QPropertyAnimation* move_ = nullptr;
  bool compositing_ = false;
  bool hasKeyboard_ = false;
  // Another client (the hotkey's own grab while its keys are held, a closing menu) may hold
  // the keyboard for a moment; the grab is tried again until it succeeds or time runs out.
  QTimer grabRetry_;
  int grabAttemptsLeft_ = 0;
  // Each showing cancels the ordering out that a fade-out before it would do at its end.
  int generation_ = 0;
};

}  // namespace dovrik::ui
