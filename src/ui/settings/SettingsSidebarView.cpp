// Builds the sidebar's rows and keeps their highlight on the selection.
#include "ui/settings/SettingsSidebarView.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/KeyboardFocusRing.h"
#include "ui/PopupFonts.h"
#include "ui/ThemeColors.h"
#include "ui/settings/SettingsText.h"

namespace dovrik::ui {

SettingsSidebarView::SettingsSidebarView(SettingsSidebar& sidebar, ColorScheme scheme,
                                         QWidget* parent)
    : QWidget(parent), sidebar_(sidebar), scheme_(scheme) {
  setFixedWidth(190);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(12, 18, 12, 12);
  column->setSpacing(2);
  auto* name = new QLabel(qs(SettingsSidebar::productName), this);
  name->setFont(popupFont(17, true));
  auto* subtitle = new QLabel(qs(SettingsSidebar::subtitle), this);
  subtitle->setFont(popupFont(12));
  for (auto [label, token] :
       {std::pair{name, ColorToken::textPrimary}, std::pair{subtitle, ColorToken::textTertiary}}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, themeColor(token, scheme));
    label->setPalette(palette);
    label->setContentsMargins(8, 0, 0, 0);
    column->addWidget(label);
  }
  column->addSpacing(14);
  for (const SidebarItem item : SettingsSidebar::items) {
    auto* entry = new QPushButton(qs(rawValue(item)), this);
    entry->setObjectName(qs(rawValue(item)));
    entry->setAccessibleName(qs(rawValue(item)));
    entry->setCheckable(true);
    entry->setCursor(Qt::PointingHandCursor);
    entry->setFocusPolicy(Qt::StrongFocus);
    entry->setFont(popupFont(13));
    connect(entry, &QPushButton::clicked, this, [this, item] {
      sidebar_.navigate(item);
      restyle();
    });
    column->addWidget(entry);
  }
  column->addStretch(1);
  observer_ = sidebar_.changed.connect([this] { restyle(); });
  restyle();
}

SettingsSidebarView::~SettingsSidebarView() {
  sidebar_.changed.disconnect(observer_);
}

void SettingsSidebarView::focusSelection() {
  findChild<QPushButton*>(qs(rawValue(sidebar_.selection())))->setFocus(Qt::OtherFocusReason);
}

void SettingsSidebarView::restyle() {
  const QString ring =
      KeyboardFocusRing::rule(QStringLiteral("QPushButton"), accentColor(palette()));
  for (const SidebarItem item : SettingsSidebar::items) {
    auto* entry = findChild<QPushButton*>(qs(rawValue(item)));
    const bool selected = item == sidebar_.selection();
    entry->setChecked(selected);
    entry->setStyleSheet(
        QStringLiteral("QPushButton { text-align: left; padding: 4px 8px;"
                       " border: 2px solid transparent; border-radius: 6px;"
                       " color: %1; background: %2; font-weight: %3; }"
                       "QPushButton:hover { background: %4; }")
            .arg(themeColor(ColorToken::textPrimary, scheme_).name(),
                 selected ? themeColor(ColorToken::selection, scheme_).name(QColor::HexArgb)
                          : QStringLiteral("transparent"),
                 selected ? QStringLiteral("600") : QStringLiteral("400"),
                 themeColor(ColorToken::hover, scheme_).name(QColor::HexArgb)) +
        ring);
  }
}

void SettingsSidebarView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), themeColor(ColorToken::hover, scheme_));
  p.fillRect(QRect(width() - 1, 0, 1, height()), themeColor(ColorToken::hairline, scheme_));
}

}  // namespace dovrik::ui
