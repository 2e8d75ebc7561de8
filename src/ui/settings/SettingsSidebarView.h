// The settings window's sidebar: the product name and one row per panel, the selected one
// highlighted.
#pragma once

#include <QWidget>

#include "core/settings/SettingsSidebar.h"
#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class SettingsSidebarView : public QWidget {
 public:
  SettingsSidebarView(SettingsSidebar& sidebar, ColorScheme scheme, QWidget* parent = nullptr);
  ~SettingsSidebarView() override;

  // Gives the keyboard focus to the selected row, where Tab starts in a new window.
  void focusSelection();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void restyle();

  SettingsSidebar& sidebar_;
  ColorScheme scheme_;
  Signal<>::Connection observer_ = 0;
};

}  // namespace dovrik::ui
