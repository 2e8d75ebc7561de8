// The on/off switch of a settings row: a track in the accent colour when on, a knob that
// slides to the side it is on.
#pragma once

#include <QAbstractButton>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class SettingsSwitch : public QAbstractButton {
 public:
  SettingsSwitch(bool on, ColorScheme scheme, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {38, 22}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorScheme scheme_;
};

}  // namespace dovrik::ui
