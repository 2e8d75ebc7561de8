// What every stand-alone Dovrik window owes the desktop, checked the same way for each: a close
// button but no minimise or maximise, buttons without the style's stock icons, and exactly one
// default button, the one Return presses.
#pragma once

#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace dovrik::test {

inline QPushButton* defaultButton(QWidget& window) {
  QPushButton* found = nullptr;
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isVisibleTo(&window)) {
      if (found)
        return nullptr;
      found = button;
    }
  }
  return found;
}

// Returns the default button, or null (after failing the test) when the window lacks manners.
inline QPushButton* checkDialogManners(QWidget& window) {
  const Qt::WindowFlags flags = window.windowFlags();
  [&] {
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    // The size follows the content, so the window manager offers no resizing to maximise.
    QCOMPARE(window.minimumSize(), window.maximumSize());
    for (QPushButton* button : window.findChildren<QPushButton*>())
      QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
  }();
  if (QTest::currentTestFailed())
    return nullptr;
  QPushButton* button = defaultButton(window);
  if (!button)
    QTest::qFail("no single default button", __FILE__, __LINE__);
  return button;
}

}  // namespace dovrik::test
