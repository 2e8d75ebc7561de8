// Placing, painting and fading the snap preview window.
#include "ui/SnapPreviewWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>
#include <QVariantAnimation>

#include "core/drag/SnapOverlayView.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

QPainterPath roundedBox(const QRectF& box, double radius) {
  QPainterPath path;
  path.addRoundedRect(box, radius, radius);
  return path;
}

QRegion regionOf(const QPainterPath& path) {
  return QRegion(path.toFillPolygon().toPolygon());
}

}  // namespace

SnapPreviewWindow::SnapPreviewWindow(DesktopToRoot desktopToRoot)
    // Override-redirect: the window manager never places, decorates, focuses or assigns it to a
    // desktop, so it shows exactly where asked on whichever desktop is current. Input passes
    // through it (Qt gives it an empty input shape).
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      desktopToRoot_(std::move(desktopToRoot)),
      fade_(new QVariantAnimation(this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11DoNotAcceptFocus);
  setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::NoFocus);
  connect(fade_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& value) { setWindowOpacity(value.toDouble()); });
}

void SnapPreviewWindow::setFrame(const Rect& desktopFrame) {
  setGeometry(rootToQt(desktopToRoot_(desktopFrame)));
  updateShape();
}

void SnapPreviewWindow::setContent(const OverlayContent& content) {
  content_ = content;
  updateShape();
  update();
}

void SnapPreviewWindow::setAlpha(double alpha) {
  fade_->stop();
  setWindowOpacity(alpha);
}

void SnapPreviewWindow::orderFront() {
  // A compositing manager may have started or stopped since the last appearance.
  outlineOnly_ = !ui::isCompositing();
  updateShape();
  show();
  // Mapping does not restack a window that was shown before; windows raised since would
  // cover it.
  raise();
}

void SnapPreviewWindow::orderOut() {
  hide();
}

void SnapPreviewWindow::animateAlpha(double target, double seconds, AnimationCurve curve,
                                     std::function<void()> completion) {
  const int milliseconds = static_cast<int>(std::lround(std::max(0.0, seconds) * 1000));
  fade_->stop();
  fade_->setStartValue(windowOpacity());
  fade_->setEndValue(target);
  fade_->setDuration(milliseconds);
  fade_->setEasingCurve(easingFor(curve));
  fade_->start();
  // Not tied to the animation: a replaced or stopped fade still reports its end on time.
  if (completion)
    QTimer::singleShot(milliseconds, this, std::move(completion));
}

void SnapPreviewWindow::updateShape() {
  if (!outlineOnly_) {
    clearMask();
    return;
  }
  // Without a compositor nothing can be translucent: keep only a ring as wide as the border
  // (whole pixels), so the desktop under the box stays visible.
  const SnapOverlayView view{content_};
  const Rect box =
      SnapOverlayView::box({static_cast<double>(width()), static_cast<double>(height())});
  const QRectF outer(box.x, box.y, box.width, box.height);
  const double ring = std::ceil(SnapOverlayView::borderWidth);
  const QRectF inner = outer.adjusted(ring, ring, -ring, -ring);
  QRegion shape = regionOf(roundedBox(outer, view.cornerRadius()));
  if (inner.isValid())
    shape -= regionOf(roundedBox(inner, std::max(0.0, view.cornerRadius() - ring)));
  setMask(shape);
}

void SnapPreviewWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor accent = palette().color(QPalette::Active, QPalette::Highlight);
  if (outlineOnly_) {
    // The mask is the outline; fill all of it.
    painter.fillRect(rect(), accent);
    return;
  }
  paintPreview(painter, size(), content_, accent);
}

void SnapPreviewWindow::paintPreview(QPainter& painter, const QSize& size,
                                     const OverlayContent& content, const QColor& accent) {
  painter.setRenderHint(QPainter::Antialiasing);
  const SnapOverlayView view{content};
  const Rect box =
      SnapOverlayView::box({static_cast<double>(size.width()), static_cast<double>(size.height())});
  const QRectF outer(box.x, box.y, box.width, box.height);
  QColor fill = accent;
  fill.setAlphaF(static_cast<float>(view.fillOpacity()));
  painter.fillPath(roundedBox(outer, view.cornerRadius()), fill);
  // Inside the edge: the pen is centred on a path inset by half its width.
  const double half = SnapOverlayView::borderWidth / 2;
  QColor line = accent;
  line.setAlphaF(static_cast<float>(SnapOverlayView::borderOpacity));
  painter.strokePath(roundedBox(outer.adjusted(half, half, -half, -half),
                                std::max(0.0, view.cornerRadius() - half)),
                     QPen(line, SnapOverlayView::borderWidth));
}

}  // namespace dovrik::ui
