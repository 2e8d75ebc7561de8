// Painting the popup's buttons; each look keeps its own height, padding and colours.
#include "ui/PopupButton.h"

#include <QEnterEvent>
#include <QPainter>

#include "ui/PopupFonts.h"
#include "ui/PopupSymbols.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

constexpr int symbolGap = 5;

int heightOf(PopupButton::Look look) {
  switch (look) {
    case PopupButton::Look::tab:
      return 26;
    case PopupButton::Look::chip:
      return 22;
    case PopupButton::Look::icon:
      return 22;
    case PopupButton::Look::footer:
      return 22;
  }
  return 24;
}

int paddingOf(PopupButton::Look look) {
  return look == PopupButton::Look::tab ? 11 : 9;
}

}  // namespace

PopupButton::PopupButton(Look look, const ColorScheme& scheme, QWidget* parent)
    : QAbstractButton(parent), look_(look), scheme_(scheme) {
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  setFont(look == Look::footer || look == Look::chip ? popupFont(12) : popupFont(13, true));
}

void PopupButton::setSymbol(std::string symbol) {
  symbol_ = std::move(symbol);
  updateGeometry();
  update();
}

double PopupButton::symbolSize() const {
  switch (look_) {
    case Look::icon:
      return 11;
    case Look::footer:
      return 9;
    default:
      return 13;
  }
}

void PopupButton::setActive(bool active) {
  if (active == active_)
    return;
  active_ = active;
  update();
}

QSize PopupButton::sizeHint() const {
  const int height = heightOf(look_);
  if (look_ == Look::icon)
    return {height, height};
  int width = 2 * paddingOf(look_) + fontMetrics().horizontalAdvance(text());
  if (!symbol_.empty())
    width += static_cast<int>(symbolSize()) + symbolGap;
  return {width, height};
}

void PopupButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PopupButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void PopupButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = box.height() / 2;

  QColor ink = themeColor(ColorToken::textSecondary, scheme_);
  if (active_ && look_ == Look::tab) {
    p.setPen(Qt::NoPen);
    p.setBrush(accentColor(palette()));
    p.drawRoundedRect(box, radius, radius);
    ink = onAccentColor(palette());
  } else if (active_ && look_ == Look::chip) {
    p.setPen(Qt::NoPen);
    p.setBrush(themeColor(ColorToken::selection, scheme_));
    p.drawRoundedRect(box, radius, radius);
    ink = themeColor(ColorToken::textPrimary, scheme_);
  } else {
    if (look_ == Look::chip) {
      p.setPen(QPen(themeColor(ColorToken::hairline, scheme_), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(box, radius, radius);
    }
    if (hovered_ && look_ != Look::footer) {
      p.setPen(Qt::NoPen);
      p.setBrush(themeColor(ColorToken::hover, scheme_));
      p.drawRoundedRect(box, radius, radius);
    }
    if (hovered_)
      ink = themeColor(ColorToken::textPrimary, scheme_);
  }

  const double symbol = symbolSize();
  if (look_ == Look::icon) {
    QRectF face(0, 0, symbol, symbol);
    face.moveCenter(box.center());
    paintPopupSymbol(p, symbol_, face, ink);
    return;
  }
  const int textWidth = fontMetrics().horizontalAdvance(text());
  const double contentWidth = textWidth + (symbol_.empty() ? 0 : symbol + symbolGap);
  double x = box.center().x() - contentWidth / 2;
  const double symbolTop = box.center().y() - symbol / 2;
  if (!symbol_.empty() && look_ != Look::footer) {
    paintPopupSymbol(p, symbol_, QRectF(x, symbolTop, symbol, symbol), ink);
    x += symbol + symbolGap;
  }
  p.setPen(ink);
  p.setFont(font());
  p.drawText(QRectF(x, box.top(), textWidth + 1, box.height()), Qt::AlignVCenter | Qt::AlignLeft,
             text());
  if (!symbol_.empty() && look_ == Look::footer)
    paintPopupSymbol(p, symbol_, QRectF(x + textWidth + symbolGap, symbolTop, symbol, symbol), ink);
}

}  // namespace dovrik::ui
