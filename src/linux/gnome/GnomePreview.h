// The snap preview on GNOME: Dovrik paints the picture, and the extension shows it above the
// windows without taking input and fades it with the Shell's own easing, so no frame of an
// animation crosses the bus.
#pragma once

#include <functional>
#include <optional>

#include <QSize>

#include "core/platform/OverlaySurface.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/gnome/GnomeShell.h"

class QPainter;

namespace dovrik::gnome {

class GnomePreview : public OverlaySurface {
 public:
  // Carries a frame from desktop space to the Shell's coordinates (y down). The desktop's
  // adapters know how the monitors are laid out.
  using DesktopToCompositor = std::function<Rect(const Rect&)>;
  // Paints the content, fully opaque, into a picture of the window's size; the look belongs to
  // the views.
  using Painter = std::function<void(QPainter&, const QSize&, const OverlayContent&)>;

  GnomePreview(GnomeShell& shell, Scheduler& mainQueue, DesktopToCompositor desktopToCompositor,
               Painter painter);
  GnomePreview(const GnomePreview&) = delete;
  GnomePreview& operator=(const GnomePreview&) = delete;
  ~GnomePreview() override;

  void setFrame(const Rect& desktopFrame) override;
  void setContent(const OverlayContent& content) override;
  bool isVisible() const override { return visible_; }
  void setAlpha(double alpha) override;
  void orderFront() override;
  void orderOut() override;
  // The Shell eases with its own curve: `curve` is not carried.
  void animateAlpha(double target, double seconds, AnimationCurve curve,
                    std::function<void()> completion) override;

 private:
  struct Shown {
    Rect frame;
    OverlayContent content;
  };

  // Sends the picture when the frame or the content differs from the one shown.
  void show();

  GnomeShell& shell_;
  Scheduler& mainQueue_;
  DesktopToCompositor desktopToCompositor_;
  Painter painter_;

  Rect frame_;
  OverlayContent content_;
  double alpha_ = 1;
  bool visible_ = false;
  // What the Shell shows; nothing while it shows no preview.
  std::optional<Shown> shown_;
  // The Shell may still be easing towards `alpha_` until the fade of this number ends.
  int fades_ = 0;
  bool easing_ = false;
  Lifetime lifetime_;
};

}  // namespace dovrik::gnome
