// Lays out the sidebar and the panel, and swaps the panel when the selection changes.
#include "ui/settings/SettingsView.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/ThemeColors.h"
#include "ui/settings/ClipboardPanelView.h"
#include "ui/settings/DragZonesPanelView.h"
#include "ui/settings/GeneralPanelView.h"
#include "ui/settings/RulesPanelView.h"
#include "ui/settings/SettingsSidebarView.h"
#include "ui/settings/ShortcutsPanelView.h"
#include "ui/settings/SnappingPanelView.h"
#include "ui/settings/WorkspacesPanelView.h"

namespace dovrik::ui {

SettingsView::SettingsView(SettingsContent& content, SettingsPage::Context context,
                           std::function<void()> leavingPanel, QWidget* parent)
    : QWidget(parent),
      content_(content),
      context_(std::move(context)),
      leavingPanel_(std::move(leavingPanel)),
      sidebar_(new SettingsSidebarView(content.sidebar(), context_.scheme, this)),
      scroll_(new QScrollArea(this)),
      opacity_(new QGraphicsOpacityEffect(scroll_)),
      fade_(new QPropertyAnimation(opacity_, "opacity", this)),
      shown_(content.sidebar().selection()) {
  auto* line = new QHBoxLayout(this);
  line->setContentsMargins(0, 0, 0, 0);
  line->setSpacing(0);
  line->addWidget(sidebar_);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  // Tab goes from the sidebar straight to the panel's controls.
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setStyleSheet(
      QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget"
                     " { background: transparent; }"));
  scroll_->setGraphicsEffect(opacity_);
  line->addWidget(scroll_, 1);
  fade_->setDuration(static_cast<int>(SettingsSidebar::fadeDuration * 1000));
  fade_->setEasingCurve(QEasingCurve::OutQuad);
  // Drawn through the effect only while it fades: at full opacity the text is drawn straight,
  // with the desktop's font smoothing.
  opacity_->setEnabled(false);
  connect(fade_, &QPropertyAnimation::finished, this,
          [this] { opacity_->setEnabled(opacity_->opacity() < 1); });
  scroll_->verticalScrollBar()->setStyleSheet(thinScrollBarStyle(context_.scheme));
  observer_ = content.sidebar().changed.connect([this] { follow(); });
  showPanel(shown_);
}

SettingsView::~SettingsView() {
  content_.sidebar().changed.disconnect(observer_);
}

void SettingsView::follow() {
  const SettingsSidebar& sidebar = content_.sidebar();
  if (sidebar.selection() != shown_)
    showPanel(sidebar.selection());
  fade_->stop();
  opacity_->setEnabled(true);
  fade_->setStartValue(opacity_->opacity());
  fade_->setEndValue(sidebar.contentOpacity());
  fade_->start();
}

void SettingsView::showPanel(SidebarItem item) {
  if (scroll_->widget())
    leavingPanel_();
  shown_ = item;
  SettingsPage* page = nullptr;
  switch (item) {
    case SidebarItem::general:
      page = new GeneralPanelView(content_.general(), context_);
      break;
    case SidebarItem::shortcuts:
      page = new ShortcutsPanelView(content_.shortcuts(), context_);
      break;
    case SidebarItem::snapping:
      page = new SnappingPanelView(content_.snapping(), context_);
      break;
    case SidebarItem::clipboard:
      page = new ClipboardPanelView(content_.clipboard(), context_);
      break;
    case SidebarItem::workspaces:
      page = new WorkspacesPanelView(content_.workspaces(), context_);
      break;
    case SidebarItem::rules:
      page = new RulesPanelView(content_.rules(), context_);
      break;
    case SidebarItem::dragZones:
      page = new DragZonesPanelView(content_.dragZones(), context_);
      break;
  }
  page->setObjectName(QStringLiteral("panel"));
  delete scroll_->takeWidget();
  scroll_->setWidget(page);
}

void SettingsView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), themeColor(ColorToken::page, context_.scheme));
}

}  // namespace dovrik::ui
