// The snap preview on GNOME: Dovrik paints the picture, and the extension shows it above the
// windows without taking input and fades it with the Shell's own easing, so no frame of an
// animation crosses the bus.
#pragma once

#include <functional>
#include <optional>

#include "core/platform/OverlaySurface.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/gnome/GnomeShell.h"
#include "linux/preview/PreviewPainting.h"

namespace dovrik::gnome {

class GnomePreview : public OverlaySurface {
 public:
  GnomePreview(GnomeShell& shell, Scheduler& mainQueue,
               preview::DesktopToCompositor desktopToCompositor, preview::Painter painter);
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
  preview::DesktopToCompositor desktopToCompositor_;
  preview::Painter painter_;

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
