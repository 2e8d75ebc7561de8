// Painting the empty state centred in whatever room the list leaves.
#include "ui/PopupEmptyState.h"

#include <QPainter>
#include <utility>

#include "ui/PopupFonts.h"
#include "ui/PopupSymbols.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

constexpr double symbolSize = 26;
constexpr double textGap = 10;

}  // namespace

PopupEmptyState::PopupEmptyState(std::string symbol, bool dropZone, const ColorScheme& scheme,
                                 QWidget* parent)
    : QWidget(parent), symbol_(std::move(symbol)), dropZone_(dropZone), scheme_(scheme) {}

void PopupEmptyState::setText(const QString& text) {
  if (text == text_)
    return;
  text_ = text;
  update();
}

void PopupEmptyState::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  if (dropZone_) {
    QPen dashes(themeColor(ColorToken::border, scheme_), 1.2, Qt::DashLine);
    dashes.setDashPattern({4, 3});
    p.setPen(dashes);
    p.setBrush(themeColor(ColorToken::hover, scheme_));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
  }
  const QFont font = popupFont(12);
  const QFontMetrics metrics(font);
  const double textHeight = metrics.height();
  const double top = (height() - symbolSize - textGap - textHeight) / 2;
  const QRectF symbolBox(width() / 2.0 - symbolSize / 2, top, symbolSize, symbolSize);
  paintPopupSymbol(p, symbol_, symbolBox, themeColor(ColorToken::textTertiary, scheme_));

  const QRectF textBox(12, symbolBox.bottom() + textGap, width() - 24, textHeight);
  p.setFont(font);
  p.setPen(themeColor(ColorToken::textSecondary, scheme_));
  p.drawText(textBox, Qt::AlignCenter,
             metrics.elidedText(text_, Qt::ElideMiddle, static_cast<int>(textBox.width())));
}

}  // namespace dovrik::ui
