// The first-run window over the simulated desktop: its size and title, the buttons reached by
// mouse and keyboard drive the model, the content follows the wait and arriving trust, and
// "Get Started" closes it. Set DOVRIK_SCREENSHOT_DIR to also save both states.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "core/app/App.h"
#include "core/app/ManagerPorts.h"
#include "tests/ui/DialogManners.h"
#include "tests/unit/support/SimWorld.h"
#include "ui/onboarding/OnboardingWindowView.h"

using namespace dovrik;

namespace {

struct Onboarding {
  explicit Onboarding(bool followsDrags = true) {
    world.sim.eventTap.followsDrags = followsDrags;
    world.desktop.setTrusted(false);
    model = std::make_unique<OnboardingModel>(
        onboardingModelPorts(world.platform), app.appState(), app.accessibilityTrust(),
        app.shortcutManager(), app.dragMonitor(), "1.0 (1)", [this] { window.dismiss(); });
    window.closed.connect([this] { model.reset(); });
    window.show(*model);
  }

  QAbstractButton* button(const QString& name) {
    for (auto* widget : window.findChildren<QAbstractButton*>()) {
      if (widget->accessibleName() == name && widget->isVisibleTo(&window))
        return widget;
    }
    return nullptr;
  }
  bool shows(const QString& text) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
      if (label->text() == text && label->isVisibleTo(&window))
        return true;
    }
    return false;
  }
  void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }
  void save(const char* name) {
    const QString folder = qEnvironmentVariable("DOVRIK_SCREENSHOT_DIR");
    if (!folder.isEmpty())
      window.grab().save(folder + "/onboarding-" + name + ".png");
  }

  test::SimWorld world;
  App app{world.platform};
  ui::OnboardingWindowView window{ColorScheme::dark};
  std::unique_ptr<OnboardingModel> model;
};

}  // namespace

class OnboardingWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void buttonsDriveTheWaitAndTrustTurnsItIntoGetStarted() {
    Onboarding o;
    QCOMPARE(o.window.windowTitle(), QStringLiteral("Dovrik"));
    QCOMPARE(o.window.width(), 420);
    QVERIFY(o.window.height() >= 540);
    QVERIFY(o.shows("Version 1.0 (1)"));
    QVERIFY(!o.shows(QString::fromUtf8(DragMonitor::dragsNotFollowedText)));

    // The keyboard starts on the leading button, the default one, without a focus ring until
    // the keyboard moves.
    QAbstractButton* allow = o.button("Allow Access");
    QVERIFY(allow);
    QCOMPARE(o.window.focusWidget(), allow);
    QCOMPARE(test::checkDialogManners(o.window), allow);
    QVERIFY(QTest::qWaitForWindowActive(&o.window));
    o.settle();
    QVERIFY(!allow->property("keyboardFocus").toBool());
    QTest::keyClick(&o.window, Qt::Key_Tab);
    QAbstractButton* later = o.button("Set Up Later");
    QCOMPARE(o.window.focusWidget(), later);
    o.settle();
    QVERIFY(later->property("keyboardFocus").toBool());
    QTest::keyClick(&o.window, Qt::Key_Backtab);
    o.settle();
    QVERIFY(!later->property("keyboardFocus").toBool());
    QVERIFY(allow->property("keyboardFocus").toBool());
    QTest::keyClick(&o.window, Qt::Key_Return);
    o.settle();
    QCOMPARE(o.world.desktop.trustPrompts(), 1);
    QVERIFY(o.shows(QStringLiteral("System Settings → Privacy & Security → Accessibility")));
    QVERIFY(o.button("Open Privacy Settings"));

    o.world.clock.advanceBy(OnboardingModel::relaunchHintDelay);
    o.settle();
    o.save("waiting");
    QTest::mouseClick(o.button("Quit and Reopen Dovrik"), Qt::LeftButton);
    QCOMPARE(o.world.sim.lifecycle.relaunches, 1);

    o.world.desktop.setTrusted(true);
    o.world.clock.advanceBy(0.5);
    o.settle();
    QVERIFY(o.shows("You're set"));
    QVERIFY(!o.button("Set Up Later"));
    o.save("set");
    QTest::mouseClick(o.button("Get Started"), Qt::LeftButton);
    o.settle();
    QVERIFY(!o.model);
    QVERIFY(!o.window.isVisible());
  }

  void saysDraggingWillNotSnapWhereTheDesktopDoesNotFollowDrags() {
    Onboarding o(false);
    QVERIFY(o.shows(QString::fromUtf8(DragMonitor::dragsNotFollowedText)));
    o.save("drags-not-followed");
    QTest::mouseClick(o.button("Set Up Later"), Qt::LeftButton);
    o.settle();
    QVERIFY(!o.model);
  }
};

QTEST_MAIN(OnboardingWindowTest)
#include "OnboardingWindowTest.moc"
