// Follows focus changes inside one window and marks the widget the keyboard moved to.
#include "ui/KeyboardFocusRing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QStyle>

namespace dovrik::ui {
namespace {

bool byKeyboard(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason;
}

// On the next turn of the loop: a widget loses focus also while it is being destroyed, and one
// destroyed by then is left alone.
void mark(QWidget& widget, bool ring) {
  QMetaObject::invokeMethod(
      &widget,
      [&widget, ring] {
        if (widget.property(KeyboardFocusRing::property).toBool() == ring)
          return;
        widget.setProperty(KeyboardFocusRing::property, ring);
        // Style sheets read dynamic properties only when the widget is polished again.
        widget.style()->unpolish(&widget);
        widget.style()->polish(&widget);
        widget.update();
      },
      Qt::QueuedConnection);
}

}  // namespace

KeyboardFocusRing::KeyboardFocusRing(QWidget& window) : QObject(&window), window_(window) {
  // Focus events go to the widget that gains or loses focus, which may be created after this:
  // the onboarding content is rebuilt as its model changes.
  qApp->installEventFilter(this);
}

void KeyboardFocusRing::install(QWidget& window) {
  if (!window.findChild<KeyboardFocusRing*>(QString(), Qt::FindDirectChildrenOnly))
    new KeyboardFocusRing(window);
}

bool KeyboardFocusRing::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::FocusIn && type != QEvent::FocusOut)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_)
    return false;
  const bool ring =
      type == QEvent::FocusIn && byKeyboard(static_cast<QFocusEvent*>(event)->reason());
  mark(*widget, ring);
  return false;
}

}  // namespace dovrik::ui
