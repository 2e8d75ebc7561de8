// The tray's menu mirrors the menu model, and its items reach the controller.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "core/app/App.h"
#include "tests/ui/DialogManners.h"
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

// A world with one window on a monitor known by its UUID, which is what layouts are saved for.
struct LayoutWorld {
  LayoutWorld() {
    world.desktop.removeScreen(world.primary);
    world.desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875},
                            "AAAAAAAA-0000-4000-8000-000000000001");
    world.desktop.addWindow(world.appPid, {0, 25, 720, 875}, "editor");
    app.start();
  }
  std::vector<std::string> layoutNames() {
    std::vector<std::string> names;
    for (const Workspace& workspace : app.workspaceManager().workspaces())
      names.push_back(workspace.name);
    return names;
  }

  test::SimWorld world;
  App app{world.platform};
};

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
    ui::TrayIcon tray(app.menuBarController(), ColorScheme::light);
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

  // On a panel of colours of its own the tray shows the application's icon, which the
  // palette does not recolour; elsewhere a glyph in the palette's text colour.
  void artFollowsThePanel() {
    test::SimWorld world;
    App app(world.platform);
    app.start();
    QPixmap art(32, 32);
    art.fill(QColor(40, 120, 200));
    QApplication::setWindowIcon(QIcon(art));
    ui::TrayIcon own(app.menuBarController(), ColorScheme::light,
                     ui::TrayIcon::Art::applicationIcon);
    QCOMPARE(own.trayIcon().icon().pixmap(32).toImage().pixelColor(16, 16), QColor(40, 120, 200));
    ui::TrayIcon glyph(app.menuBarController(), ColorScheme::light);
    QVERIFY(!glyph.trayIcon().icon().isNull());
    QVERIFY(glyph.trayIcon().icon().pixmap(32).toImage().pixelColor(16, 16) !=
            QColor(40, 120, 200));
    QApplication::setWindowIcon(QIcon());
  }

  // The layout saved for the monitors connected now is the checked one: it shows a check mark,
  // never its own icon in a sunken frame.
  void currentLayoutShowsACheckMark() {
    LayoutWorld w;
    App& app = w.app;
    QVERIFY(app.workspaceManager().captureCurrent("Desk").has_value());
    ui::TrayIcon tray(app.menuBarController(), ColorScheme::light);
    Q_EMIT tray.menu().aboutToShow();
    QAction* desk = actionTitled(tray.menu(), "Desk");
    QVERIFY(desk);
    QVERIFY(desk->isChecked());
    QVERIFY(desk->icon().isNull());
    QAction* save = actionTitled(tray.menu(), "Save Current Layout…");
    QVERIFY(save);
    QVERIFY(!save->icon().isNull());
  }

  // "Save Current Layout…" asks in a window of Dovrik's own: Return saves the name typed,
  // Escape saves nothing, and a second ask while one is open brings that one forward.
  void layoutPromptSavesByNameOnReturn() {
    LayoutWorld w;
    ui::TrayIcon tray(w.app.menuBarController(), ColorScheme::dark);
    Q_EMIT tray.menu().aboutToShow();
    actionTitled(tray.menu(), "Save Current Layout…")->trigger();
    ui::LayoutNameDialog* prompt = tray.layoutNameDialog();
    QVERIFY(prompt);
    QVERIFY(prompt->isVisible());
    QCOMPARE(prompt->findChild<QLabel*>("heading")->text(), QStringLiteral("Save Current Layout"));
    QCOMPARE(prompt->nameField().text(), QStringLiteral("1 display"));
    QCOMPARE(prompt->nameField().selectedText(), QStringLiteral("1 display"));
    QPushButton* save = test::checkDialogManners(*prompt);
    QVERIFY(save);
    QCOMPARE(save, &prompt->saveButton());
    QCOMPARE(save->text(), QStringLiteral("Save"));

    actionTitled(tray.menu(), "Save Current Layout…")->trigger();
    QCOMPARE(tray.layoutNameDialog(), prompt);
    QTest::keyClicks(&prompt->nameField(), "  Desk  ");
    QTest::keyClick(&prompt->nameField(), Qt::Key_Return);
    QCOMPARE(w.layoutNames(), std::vector<std::string>{"Desk"});
    QTRY_VERIFY(!tray.layoutNameDialog());

    Q_EMIT tray.menu().aboutToShow();
    actionTitled(tray.menu(), "Save Current Layout…")->trigger();
    QTest::keyClicks(&tray.layoutNameDialog()->nameField(), "Other");
    QTest::keyClick(&tray.layoutNameDialog()->nameField(), Qt::Key_Escape);
    QTRY_VERIFY(!tray.layoutNameDialog());
    QCOMPARE(w.layoutNames(), std::vector<std::string>{"Desk"});
  }

  // A build without a feed still offers the item, disabled, and says why where the pointer
  // rests on it.
  void checkForUpdatesSaysWhyItIsDisabled() {
    test::SimWorld world;
    App app(world.platform);
    app.start();
    ui::TrayIcon tray(app.menuBarController(), ColorScheme::light);
    Q_EMIT tray.menu().aboutToShow();
    QAction* check = actionTitled(tray.menu(), "Check for Updates…");
    QVERIFY(check);
    QVERIFY(!check->isEnabled());
    QCOMPARE(check->toolTip(), QStringLiteral("This build of Dovrik has no update feed to check."));
    QVERIFY(tray.menu().toolTipsVisible());

    world.sim.updateService.feedConfigured = true;
    Q_EMIT tray.menu().aboutToShow();
    check = actionTitled(tray.menu(), "Check for Updates…");
    QVERIFY(check->isEnabled());
    QVERIFY(!check->toolTip().contains(QStringLiteral("feed")));
  }

  // The switch asks for a new menu from inside its own action; the tray rebuilds right after,
  // without waiting for the next opening.
  void snappingSwitchRebuildsTheMenu() {
    test::SimWorld world;
    App app(world.platform);
    app.start();
    ui::TrayIcon tray(app.menuBarController(), ColorScheme::light);
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
