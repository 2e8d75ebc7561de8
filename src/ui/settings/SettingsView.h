// The settings window's content: the sidebar on the left and the selected panel on the right,
// faded as the sidebar's model says.
#pragma once

#include <QWidget>
#include <functional>

#include "core/settings/SettingsContent.h"
#include "ui/settings/SettingsPage.h"

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QScrollArea;

namespace dovrik::ui {

class SettingsSidebarView;

class SettingsView : public QWidget {
 public:
  // `leavingPanel` runs before a panel is replaced, so a recording in it ends.
  SettingsView(SettingsContent& content, SettingsPage::Context context,
               std::function<void()> leavingPanel, QWidget* parent = nullptr);
  ~SettingsView() override;

  SidebarItem shownPanel() const { return shown_; }
  SettingsSidebarView& sidebar() { return *sidebar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void follow();
  void showPanel(SidebarItem item);

  SettingsContent& content_;
  SettingsPage::Context context_;
  std::function<void()> leavingPanel_;
  SettingsSidebarView* sidebar_;
  QScrollArea* scroll_;
  QGraphicsOpacityEffect* opacity_;
  QPropertyAnimation* fade_;
  SidebarItem shown_;
  Signal<>::Connection observer_ = 0;
};

}  // namespace dovrik::ui
