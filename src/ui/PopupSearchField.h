// The popup's search field: a rounded box with a magnifying glass, the text and, while there is
// text, a button that empties it.
#pragma once

#include <QWidget>

#include "core/theme/ColorScheme.h"

class QLineEdit;

namespace dovrik::ui {

class PopupButton;

class PopupSearchField : public QWidget {
 public:
  // `scheme` belongs to the view that holds this one and outlives it.
  explicit PopupSearchField(const ColorScheme& scheme, QWidget* parent = nullptr);

  QLineEdit* lineEdit() const { return edit_; }
  // Colours the text after a change of scheme.
  void applyScheme();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const ColorScheme& scheme_;
  QLineEdit* edit_;
  PopupButton* clear_;
};

}  // namespace dovrik::ui
