// Follows how the focus last moved: Qt marks a window with WA_KeyboardFocusChange when Tab or
// an arrow key moved the focus and clears it on any other move; a click on the control that
// already holds the focus moves nothing, so mouse presses clear it here too.
#include "ui/KeyboardFocusRing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QWidget>

namespace dovrik::ui {
namespace {

bool isNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      return true;
    default:
      return false;
  }
}

void setRing(QWidget& widget, bool on) {
  if (widget.property(KeyboardFocusRing::property).toBool() == on)
    return;
  widget.setProperty(KeyboardFocusRing::property, on);
  // Style sheets match properties when a widget is polished, not when a property changes.
  widget.style()->unpolish(&widget);
  widget.style()->polish(&widget);
  widget.update();
}

}  // namespace

KeyboardFocusRing::KeyboardFocusRing(QWidget& window) : QObject(&window), window_(window) {
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this] { mark(); });
}

void KeyboardFocusRing::install(QWidget& window) {
  if (!window.findChild<KeyboardFocusRing*>(QString(), Qt::FindDirectChildrenOnly))
    new KeyboardFocusRing(window);
}

bool KeyboardFocusRing::shows(const QWidget* widget) {
  return widget->hasFocus() && widget->property(KeyboardFocusRing::property).toBool();
}

QString KeyboardFocusRing::rule(const QString& type, const QColor& color,
                                const QString& subControl) {
  // The style's own dotted focus rectangle would show inside the ring, after a click too.
  return QStringLiteral("%1 { outline: none; } %1[%2=\"true\"]%3 { border: 2px solid %4; }")
      .arg(type, QString::fromLatin1(KeyboardFocusRing::property), subControl, color.name());
}

void KeyboardFocusRing::moveFocus(QWidget& widget) {
  QWidget* window = widget.window();
  const bool byKeyboard = window->testAttribute(Qt::WA_KeyboardFocusChange);
  widget.setFocus(Qt::OtherFocusReason);
  window->setAttribute(Qt::WA_KeyboardFocusChange, byKeyboard);
  if (auto* ring = window->findChild<KeyboardFocusRing*>(QString(), Qt::FindDirectChildrenOnly))
    ring->mark();
}

bool KeyboardFocusRing::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_)
    return false;
  if (type == QEvent::MouseButtonPress)
    window_.setAttribute(Qt::WA_KeyboardFocusChange, false);
  else if (isNavigationKey(static_cast<QKeyEvent*>(event)->key()))
    window_.setAttribute(Qt::WA_KeyboardFocusChange, true);
  else
    return false;
  mark();
  return false;
}

void KeyboardFocusRing::mark() {
  QWidget* focused = window_.focusWidget();
  if (marked_ && marked_ != focused)
    setRing(*marked_, false);
  marked_ = focused && focused->hasFocus() ? focused : nullptr;
  if (marked_)
    setRing(*marked_, window_.testAttribute(Qt::WA_KeyboardFocusChange));
}

}  // namespace dovrik::ui
