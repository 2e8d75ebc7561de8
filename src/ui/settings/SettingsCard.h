// A group of settings rows on the themed card, with a hairline between rows.
#pragma once

#include <QFrame>
#include <QVBoxLayout>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class SettingsCard : public QFrame {
 public:
  explicit SettingsCard(ColorScheme scheme, QWidget* parent = nullptr);

  // Appends a row below the last, with a divider between them.
  void addRow(QWidget* row);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorScheme scheme_;
  QVBoxLayout* rows_;
};

}  // namespace dovrik::ui
