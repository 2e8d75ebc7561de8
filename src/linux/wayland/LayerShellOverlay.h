// The snap preview on Wayland desktops that offer layer shell (KWin, sway and other wlroots
// compositors): a surface on the overlay layer, above every window, with an empty input region
// so that it never takes the pointer or the keyboard. Its picture is painted with QPainter
// into shared memory; alpha animations repaint it, with a timer that runs only while one does.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QSize>

#include "core/platform/OverlaySurface.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/preview/PreviewPainting.h"
#include "linux/wayland/ShmBuffer.h"
#include "linux/wayland/WaylandConnection.h"
#include "linux/wayland/WaylandOutputs.h"

struct wl_compositor;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

namespace dovrik::wayland {

class LayerShellOverlay : public OverlaySurface {
 public:
  // How far along `curve` an animation is at `progress` (both from 0 to 1).
  using Easing = std::function<double(AnimationCurve curve, double progress)>;

  // Frames of an alpha animation per second.
  static constexpr double framesPerSecond = 60;

  LayerShellOverlay(WaylandConnection& connection, Scheduler& mainQueue,
                    preview::DesktopToCompositor desktopToCompositor, preview::Painter painter,
                    Easing easing);
  LayerShellOverlay(const LayerShellOverlay&) = delete;
  LayerShellOverlay& operator=(const LayerShellOverlay&) = delete;
  ~LayerShellOverlay() override;

  // Whether the compositor offers the overlay layer.
  bool isAvailable() const { return layerShell_ != nullptr && connection_.isConnected(); }
  // Whether the compositor has configured the surface and it shows a picture.
  bool isShown() const { return visible_ && shownSize_.isValid(); }
  double alpha() const { return alpha_; }

  void setFrame(const Rect& desktopFrame) override;
  void setContent(const OverlayContent& content) override;
  bool isVisible() const override { return visible_; }
  void setAlpha(double alpha) override;
  void orderFront() override;
  void orderOut() override;
  void animateAlpha(double target, double seconds, AnimationCurve curve,
                    std::function<void()> completion) override;

 private:
  void createSurface();
  void destroySurface();
  // Sends the frame's size and place on its output; answers false when the output changed.
  bool place();
  void configured(std::uint32_t serial, std::uint32_t width, std::uint32_t height);
  void redraw();
  void stopFade();
  ShmBuffer* freeBuffer(const QSize& size);

  WaylandConnection& connection_;
  Scheduler& mainQueue_;
  preview::DesktopToCompositor desktopToCompositor_;
  preview::Painter painter_;
  Easing easing_;
  WaylandOutputs outputs_;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  zwlr_layer_shell_v1* layerShell_ = nullptr;

  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layerSurface_ = nullptr;
  std::string outputName_;
  QSize configuredSize_;
  QSize shownSize_;
  std::vector<std::unique_ptr<ShmBuffer>> buffers_;

  Rect frame_;
  OverlayContent content_;
  double alpha_ = 1;
  bool visible_ = false;

  TaskId fade_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik::wayland
