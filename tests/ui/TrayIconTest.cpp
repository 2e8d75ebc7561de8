// The tray's menu mirrors the menu model, and its items reach the controller.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <vector>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"
#include "ui/TrayIcon.h"

using namespace dovrik;

namespace {

QAction* actionTitled(QMenu& menu, const QString& title) {
  for (QAction* action : menu.actions()) {
    if (action->text() == title)
      return action;
  }
  return nullptr;
}

}  // namespace

// Opening the menu is what rebuilds it; what a snap item does to a window is checked on a real
// X server.
class TrayIconTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void menuMirrorsTheModel_data() {
    QTest::addColumn<bool>("trusted");
    QTest::newRow("trusted") << true;
    QTest::newRow("untrusted") << false;
  }

  void menuMirrorsTheModel() {
    QFETCH(bool, trusted);
    test::SimWorld world;
    world.desktop.setTrusted(trusted);
    App app(world.platform);
    app.appState().setEnabledPositions({SnapPosition::rightHalf, SnapPosition::center});
    app.start();
    ui::TrayIcon tray(app.menuBarController());
    Q_EMIT tray.menu().aboutToShow();

    const std::vector<MenuItem> model = app.menuBarController().populate();
    const QList<QAction*> actions = tray.menu().actions();
    QCOMPARE(actions.size(), static_cast<qsizetype>(model.size()));
    for (std::size_t i = 0; i < model.size(); ++i) {
      const MenuItem& item = model[i];
      QAction* action = actions[static_cast<qsizetype>(i)];
      QCOMPARE(action->isSeparator(), item.isSeparator);
      if (item.isSeparator)
        continue;
      QCOMPARE(action->text(), QString::fromStdString(item.title));
      QCOMPARE(action->isEnabled(), item.enabled);
      QCOMPARE(action->isChecked(), item.state == MenuItemState::on);
      // A checked item shows the check mark, never its icon in a sunken frame.
      QCOMPARE(action->icon().isNull(), item.iconName.empty() || item.state == MenuItemState::on);
    }
    QCOMPARE(actions.back()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!tray.trayIcon().icon().isNull());
  }

  // The layout saved for the monitors connected now is the checked one: it shows a check mark,
  // never its own icon in a sunken frame.
  void currentLayoutShowsACheckMark() {
    test::SimWorld world;
    // Layouts are saved for monitors known by their UUID.
    world.desktop.removeScreen(world.primary);
    world.desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875},
                            "AAAAAAAA-0000-4000-8000-000000000001");
    world.desktop.addWindow(world.appPid, {0, 25, 720, 875}, "editor");
    App app(world.platform);
    app.start();
    QVERIFY(app.workspaceManager().captureCurrent("Desk").has_value());
    ui::TrayIcon tray(app.menuBarController());
    Q_EMIT tray.menu().aboutToShow();
    QAction* desk = actionTitled(tray.menu(), "Desk");
    QVERIFY(desk);
    QVERIFY(desk->isChecked());
    QVERIFY(desk->icon().isNull());
    QAction* save = actionTitled(tray.menu(), "Save Current Layout…");
    QVERIFY(save);
    QVERIFY(!save->icon().isNull());
  }

  // The switch asks for a new menu from inside its own action; the tray rebuilds right after,
  // without waiting for the next opening.
  void snappingSwitchRebuildsTheMenu() {
    test::SimWorld world;
    App app(world.platform);
    app.start();
    ui::TrayIcon tray(app.menuBarController());
    Q_EMIT tray.menu().aboutToShow();

    QAction* disable = actionTitled(tray.menu(), "Disable Snapping");
    QVERIFY(disable);
    disable->trigger();
    QVERIFY(!app.appState().snappingEnabled());
    QTRY_VERIFY(actionTitled(tray.menu(), "Enable Snapping") != nullptr);
  }
};

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
