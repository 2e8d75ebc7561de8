// The snap preview on an X11 desktop: a borderless, click-through window above the others that
// paints the accent-coloured box the core describes and fades with Qt animations.
#pragma once

#include <functional>

#include <QWidget>

#include "core/platform/OverlaySurface.h"

class QColor;
class QPainter;
class QSize;
class QVariantAnimation;

namespace dovrik::ui {

class SnapPreviewWindow : public QWidget, public OverlaySurface {
 public:
  // Carries a frame from desktop space to X root coordinates. It comes from the X adapters,
  // which decide which monitor is primary, so the preview and the zones agree on the origin.
  using DesktopToRoot = std::function<Rect(const Rect&)>;

  explicit SnapPreviewWindow(DesktopToRoot desktopToRoot);

  void setFrame(const Rect& desktopFrame) override;
  void setContent(const OverlayContent& content) override;
  bool isVisible() const override { return QWidget::isVisible(); }
  void setAlpha(double alpha) override;
  void orderFront() override;
  void orderOut() override;
  void animateAlpha(double target, double seconds, AnimationCurve curve,
                    std::function<void()> completion) override;

  // The preview's look, for every surface that shows it (Wayland's overlay layer paints it
  // too): the rounded box in `accent` with its border, inside a window of `size`.
  static void paintPreview(QPainter& painter, const QSize& size, const OverlayContent& content,
                           const QColor& accent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void updateShape();

  DesktopToRoot desktopToRoot_;
  OverlayContent content_;
  QVariantAnimation* fade_ = nullptr;
  bool outlineOnly_ = false;
};

}  // namespace dovrik::ui
