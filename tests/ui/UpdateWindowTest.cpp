// The update window over the updater on the simulated platform: it comes with an answer, its
// buttons install or dismiss, and it stays while an update installs.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "core/app/ManagerPorts.h"
#include "core/update/UpdateManager.h"
#include "tests/ui/DialogManners.h"
#include "tests/unit/support/SimWorld.h"
#include "ui/UpdateWindow.h"

using namespace dovrik;

namespace {

struct Updates {
  Updates() { world.sim.updateService.feedConfigured = true; }

  // The shown button titled `title`, if there is one.
  QPushButton* button(const QString& title) {
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
      if (b->text() == title && b->isVisibleTo(&window))
        return b;
    }
    return nullptr;
  }
  QString heading() { return window.findChild<QLabel*>(QStringLiteral("heading"))->text(); }
  QLabel* notes() { return window.findChild<QLabel*>(QStringLiteral("releaseNotes")); }
  void offer(const std::string& version) {
    manager.checkForUpdates();
    AppcastItem item;
    item.shortVersion = version;
    item.releaseNotes = "• Faster snaps";
    world.sim.updateService.answerFetch({{item}, ""});
  }

  test::SimWorld world;
  UpdateManager manager{updateManagerPorts(world.platform), world.sim.updateService, "1.0"};
  ui::UpdateWindow window{manager, ColorScheme::light};
};

}  // namespace

class UpdateWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void appearsWithAnOfferInstallsOnlyWhenAskedAndStaysWhileInstalling() {
    Updates u;
    QVERIFY(!u.window.isVisible());
    u.offer("1.1");
    QVERIFY(u.window.isVisible());
    QCOMPARE(u.heading(), QStringLiteral("A new version of Dovrik is available"));
    // The notes are read, not edited: text that takes no keyboard focus and shows no caret.
    QCOMPARE(u.notes()->text(), QStringLiteral("• Faster snaps"));
    QVERIFY(!(u.notes()->textInteractionFlags() & Qt::TextEditable));
    QCOMPARE(u.notes()->focusPolicy(), Qt::NoFocus);
    QVERIFY(u.world.sim.updateService.installs.empty());

    // Return presses the default button, which is the one that installs.
    QPushButton* install = test::checkDialogManners(u.window);
    QVERIFY(install);
    QCOMPARE(install, u.button(QStringLiteral("Install and Relaunch")));
    QCOMPARE(u.window.focusWidget(), install);
    QTest::keyClick(&u.window, Qt::Key_Return);
    QCOMPARE(u.world.sim.updateService.installs.size(), std::size_t(1));
    u.window.close();
    QVERIFY(u.window.isVisible());
    u.world.sim.updateService.answerInstall(std::string("The download was cut short."));
    QCOMPARE(u.heading(), QStringLiteral("Could not install the update"));
    QTest::mouseClick(u.button(QStringLiteral("OK")), Qt::LeftButton);
    QVERIFY(!u.window.isVisible());
    QCOMPARE(u.world.sim.lifecycle.relaunches, 0);
  }

  void laterEscapeAndClosingDismissWithoutInstalling() {
    Updates u;
    u.offer("1.1");
    QTest::mouseClick(u.button(QStringLiteral("Later")), Qt::LeftButton);
    QVERIFY(!u.window.isVisible());
    QVERIFY(!u.manager.prompt());

    u.offer("1.1");
    QTest::keyClick(&u.window, Qt::Key_Escape);
    QVERIFY(!u.window.isVisible());
    QVERIFY(!u.manager.prompt());

    u.world.sim.updateService.kind = UpdateService::InstallKind::packaged;
    u.offer("1.2");
    QVERIFY(!u.button(QStringLiteral("Install and Relaunch")));
    u.window.close();
    QVERIFY(!u.manager.prompt());
    QVERIFY(u.world.sim.updateService.installs.empty());
  }
};

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
