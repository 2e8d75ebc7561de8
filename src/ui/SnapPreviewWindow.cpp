// Placing, painting and fading the snap preview window.
#include "ui/SnapPreviewWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>

#include "core/drag/SnapOverlayView.h"

namespace dovrik::ui {
namespace {

// The named timing curves of the animation the core asks for, as cubic Béziers.
QEasingCurve easingFor(AnimationCurve curve) {
  QEasingCurve easing(QEasingCurve::BezierSpline);
  if (curve == AnimationCurve::easeOut)
    easing.addCubicBezierSegment({0, 0}, {0.58, 1}, {1, 1});
  else
    easing.addCubicBezierSegment({0.42, 0}, {1, 1}, {1, 1});
  return easing;
}

// X root coordinates are device pixels; Qt places windows in its own device-independent
// global space, where each screen keeps its top-left corner and scales by its pixel ratio.
QRect rootToQt(const Rect& root) {
  const QPoint origin(static_cast<int>(std::lround(root.x)), static_cast<int>(std::lround(root.y)));
  const QSize size(static_cast<int>(std::lround(root.width)),
                   static_cast<int>(std::lround(root.height)));
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect logical = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    if (QRect(logical.topLeft(), logical.size() * ratio).contains(origin))
      return {logical.topLeft() + (origin - logical.topLeft()) / ratio, size / ratio};
  }
  return {origin, size};
}

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
  outlineOnly_ = !isCompositing();
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

bool SnapPreviewWindow::isCompositing() const {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11)
    return true;  // not on X11: the platform composites windows itself
  xcb_connection_t* c = x11->connection();
  // The compositing manager of an X screen owns the selection _NET_WM_CM_S<screen number>.
  int screenNumber = 0;
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, winId()), nullptr);
  if (tree) {
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem;
         xcb_screen_next(&it), ++screenNumber) {
      if (it.data->root == tree->root)
        break;
    }
    std::free(tree);
  }
  const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
  if (!atom)
    return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
  const bool owned = owner && owner->owner != XCB_NONE;
  std::free(owner);
  std::free(atom);
  return owned;
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
  painter.setRenderHint(QPainter::Antialiasing);
  const SnapOverlayView view{content_};
  const Rect box =
      SnapOverlayView::box({static_cast<double>(width()), static_cast<double>(height())});
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
