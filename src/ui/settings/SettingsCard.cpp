// Lays out and paints a card of rows.
#include "ui/settings/SettingsCard.h"

#include <QPainter>

#include "ui/ThemeColors.h"

namespace dovrik::ui {

SettingsCard::SettingsCard(ColorScheme scheme, QWidget* parent)
    : QFrame(parent), scheme_(scheme), rows_(new QVBoxLayout(this)) {
  rows_->setContentsMargins(0, 2, 0, 2);
  rows_->setSpacing(0);
}

void SettingsCard::addRow(QWidget* row) {
  if (rows_->count() > 0) {
    auto* divider = new QFrame(this);
    divider->setFixedHeight(1);
    divider->setStyleSheet(
        QStringLiteral("background: %1; margin-left: 14px;")
            .arg(themeColor(ColorToken::hairline, scheme_).name(QColor::HexArgb)));
    rows_->addWidget(divider);
  }
  rows_->addWidget(row);
}

void SettingsCard::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintThemedCard(p, QRectF(rect()), scheme_);
}

}  // namespace dovrik::ui
