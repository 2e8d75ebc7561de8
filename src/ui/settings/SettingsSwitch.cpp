// Paints the switch; clicking, Space and the accessible role come from QAbstractButton.
#include "ui/settings/SettingsSwitch.h"

#include <QPainter>

#include "ui/KeyboardFocusRing.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {

SettingsSwitch::SettingsSwitch(bool on, ColorScheme scheme, QWidget* parent)
    : QAbstractButton(parent), scheme_(scheme) {
  setCheckable(true);
  setChecked(on);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setFixedSize(sizeHint());
}

void SettingsSwitch::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF track = QRectF(rect()).adjusted(1, 2, -1, -2);
  const double radius = track.height() / 2;
  QColor fill = isChecked() ? accentColor(palette()) : themeColor(ColorToken::border, scheme_);
  if (!isEnabled())
    fill.setAlphaF(0.4F);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(track, radius, radius);
  const double knob = track.height() - 4;
  const double x = isChecked() ? track.right() - knob - 2 : track.left() + 2;
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
  if (KeyboardFocusRing::shows(this)) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accentColor(palette()), 2));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius + 1, radius + 1);
  }
}

}  // namespace dovrik::ui
