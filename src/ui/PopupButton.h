// The popup's own buttons, drawn in the theme's colours: tab pills, filter chips, round icon
// buttons and the footer's text button with a trailing symbol.
#pragma once

#include <QAbstractButton>
#include <string>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class PopupButton : public QAbstractButton {
 public:
  enum class Look { tab, chip, icon, footer };

  // `scheme` belongs to the view that holds the button and outlives it.
  PopupButton(Look look, const ColorScheme& scheme, QWidget* parent = nullptr);

  // A symbol before the text (after it in the footer), or the whole face of an icon button.
  void setSymbol(std::string symbol);
  // The active tab or filter; the model decides, so a click does not toggle it.
  void setActive(bool active);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  double symbolSize() const;

  Look look_;
  const ColorScheme& scheme_;
  std::string symbol_;
  bool hovered_ = false;
  bool active_ = false;
};

}  // namespace dovrik::ui
