// Focus rings only while the user moves through a window with the keyboard. A ring after a
// mouse click, or on a control that merely holds the focus when the window opens, looks like a
// second selection; a keyboard user needs it to see where Tab went.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace dovrik::ui {

class KeyboardFocusRing : public QObject {
  Q_OBJECT

 public:
  // The property a style sheet selects on: true while the widget shows its ring.
  static constexpr const char* property = "keyboardFocus";

  // Watches `window` and its children for as long as the window lives; once per window.
  static void install(QWidget& window);

  // Whether `widget` draws its ring now.
  static bool shows(const QWidget* widget);
  // A style-sheet rule that draws the ring as a border around widgets of `type`, or around
  // their `subControl` ("::handle").
  static QString rule(const QString& type, const QColor& color, const QString& subControl = {});
  // Gives `widget` the focus without changing whether rings are shown: a panel rebuilt after a
  // key press keeps its ring, one rebuilt after a click gets none.
  static void moveFocus(QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit KeyboardFocusRing(QWidget& window);

  // Puts the ring on the window's focus widget, if the keyboard moved it there, and takes it
  // off the control that had it.
  void mark();

  QWidget& window_;
  QPointer<QWidget> marked_;
};

}  // namespace dovrik::ui
