// Focus rings that show only while the user moves through a window with the keyboard: a
// button focused by a click, or by the window opening, shows none, as desktop dialogs do.
#pragma once

#include <QObject>
#include <QWidget>

namespace dovrik::ui {

class KeyboardFocusRing : public QObject {
  Q_OBJECT

 public:
  // The property a style sheet selects on: true while the widget holds the keyboard's focus.
  static constexpr const char* property = "keyboardFocus";

  // Marks the widgets of `window` from now on; once per window.
  static void install(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit KeyboardFocusRing(QWidget& window);

  QWidget& window_;
};

}  // namespace dovrik::ui
