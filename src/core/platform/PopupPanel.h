// The floating panel that shows the clipboard history next to the pointer. The core decides
// when it opens and closes, where it goes and how it moves; the view draws the content it is
// handed and reports the navigation keys.
#pragma once

#include "core/platform/Geometry.h"
#include "core/support/Signal.h"
#include "core/theme/Animation.h"

namespace dovrik {

class ClipboardPopupModel;

// With Shift, Return is `selectPlainText`; with Ctrl, `stack`.
enum class PopupKey { up, down, select, escape, selectPlainText, stack };

class PopupPanel {
 public:
  virtual ~PopupPanel() = default;

  // Ordered in; also while it fades out.
  virtual bool isVisible() const = 0;
  // The frame last asked for, in desktop space (origin at the primary screen's bottom-left,
  // y up).
  virtual Rect frame() const = 0;
  // Replaces the content with a new view of `content`, orders the panel in at `from` above
  // every window without activating it, takes the keyboard, and moves it to `to` while it
  // fades in over `animation`.
  virtual void show(ClipboardPopupModel& content, const Rect& from, const Rect& to,
                    TimedAnimation animation) = 0;
  virtual void animateFrame(const Rect& to, TimedAnimation animation) = 0;
  // Gives the keyboard back at once, fades out over `animation`, then orders the panel out.
  virtual void hide(TimedAnimation animation) = 0;
  // The content handed to `show` is going away: the panel lets go of it and orders itself out.
  virtual void dropContent() = 0;

  // Up, Down, Return or keypad Enter (with Shift: `selectPlainText`, with Ctrl: `stack`), and
  // Escape pressed while the panel has the keyboard; they never reach the content.
  Signal<PopupKey> keyPressed;
};

}  // namespace dovrik
