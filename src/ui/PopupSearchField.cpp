// The search field's parts and their colours.
#include "ui/PopupSearchField.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>

#include "ui/PopupButton.h"
#include "ui/PopupFonts.h"
#include "ui/PopupSymbols.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

constexpr int fieldHeight = 28;
constexpr double glassSize = 13;
constexpr int glassLeft = 10;

}  // namespace

PopupSearchField::PopupSearchField(const ColorScheme& scheme, QWidget* parent)
    : QWidget(parent),
      scheme_(scheme),
      edit_(new QLineEdit(this)),
      clear_(new PopupButton(PopupButton::Look::icon, scheme, this)) {
  setFixedHeight(fieldHeight);
  edit_->setFrame(false);
  edit_->setPlaceholderText(QStringLiteral("Search…"));
  edit_->setFont(popupFont(13));
  edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
  clear_->setSymbol("xmark.circle.fill");
  clear_->setToolTip(QStringLiteral("Clear"));
  clear_->hide();
  connect(clear_, &QAbstractButton::clicked, edit_, &QLineEdit::clear);
  connect(edit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { clear_->setVisible(!text.isEmpty()); });

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(glassLeft + static_cast<int>(glassSize) + 6, 0, 4, 0);
  row->setSpacing(2);
  row->addWidget(edit_, 1);
  row->addWidget(clear_);
  applyScheme();
}

void PopupSearchField::applyScheme() {
  QPalette colours = edit_->palette();
  colours.setColor(QPalette::Base, Qt::transparent);
  colours.setColor(QPalette::Text, themeColor(ColorToken::textPrimary, scheme_));
  colours.setColor(QPalette::PlaceholderText, themeColor(ColorToken::textSecondary, scheme_));
  edit_->setPalette(colours);
  update();
}

void PopupSearchField::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(themeColor(ColorToken::hairline, scheme_), 1));
  p.setBrush(themeColor(ColorToken::hover, scheme_));
  p.drawRoundedRect(box, 8, 8);
  const QRectF glass(glassLeft, (height() - glassSize) / 2, glassSize, glassSize);
  paintPopupSymbol(p, "magnifyingglass", glass, themeColor(ColorToken::textTertiary, scheme_));
}

}  // namespace dovrik::ui
