// Painting the preview into premultiplied ARGB32, which is the byte order Cogl's BGRA_8888_PRE
// reads on a little-endian machine, and telling the Shell what changed.
#include "linux/gnome/GnomePreview.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dovrik::gnome {

GnomePreview::GnomePreview(GnomeShell& shell, Scheduler& mainQueue,
                           preview::DesktopToCompositor desktopToCompositor,
                           preview::Painter painter)
    : shell_(shell),
      mainQueue_(mainQueue),
      desktopToCompositor_(std::move(desktopToCompositor)),
      painter_(std::move(painter)) {}

GnomePreview::~GnomePreview() {
  if (shown_)
    shell_.hidePreview();
}

void GnomePreview::setFrame(const Rect& desktopFrame) {
  frame_ = desktopFrame;
  if (visible_)
    show();
}

void GnomePreview::setContent(const OverlayContent& content) {
  content_ = content;
  if (visible_)
    show();
}

void GnomePreview::setAlpha(double alpha) {
  if (alpha == alpha_ && !easing_)
    return;
  alpha_ = alpha;
  easing_ = false;
  ++fades_;
  if (shown_)
    shell_.fadePreview(alpha_, 0);
}

void GnomePreview::orderFront() {
  visible_ = true;
  show();
}

void GnomePreview::orderOut() {
  visible_ = false;
  if (!shown_)
    return;
  shown_.reset();
  shell_.hidePreview();
}

void GnomePreview::animateAlpha(double target, double seconds, AnimationCurve,
                                std::function<void()> completion) {
  seconds = std::max(0.0, seconds);
  alpha_ = target;
  const int fade = ++fades_;
  easing_ = seconds > 0;
  if (shown_)
    shell_.fadePreview(target, static_cast<std::uint32_t>(std::lround(seconds * 1000)));
  // Not tied to the Shell's easing, which tells nothing back: a replaced or stopped fade still
  // reports its end on time.
  mainQueue_.after(seconds, lifetime_.guard([this, fade, completion = std::move(completion)] {
    if (fade == fades_)
      easing_ = false;
    if (completion)
      completion();
  }));
}

void GnomePreview::show() {
  const Rect logical = desktopToCompositor_(frame_);
  const Rect frame{std::round(logical.x), std::round(logical.y),
                   std::max(1.0, std::round(logical.width)),
                   std::max(1.0, std::round(logical.height))};
  const bool fresh = !shown_;
  if (shown_ && shown_->frame == frame && shown_->content == content_)
    return;
  const QSize size(static_cast<int>(frame.width), static_cast<int>(frame.height));
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter_(painter, size, content_);
  }
  // One copy of a picture of up to a screen's size, on every change of the drag's zone.
  shell_.showPreview(frame, QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                       static_cast<qsizetype>(picture.sizeInBytes())));
  shown_ = Shown{frame, content_};
  // A preview the Shell makes anew starts transparent.
  if (fresh)
    shell_.fadePreview(alpha_, 0);
}

}  // namespace dovrik::gnome
