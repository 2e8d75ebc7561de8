// The settings window over the simulated desktop: clicking and typing through each panel
// changes the settings store and the managers, and a shortcut badge records the key at the
// pressed position. Set DOVRIK_SCREENSHOT_DIR to also save each panel.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "core/app/App.h"
#include "core/app/ManagerPorts.h"
#include "core/clipboard/IgnoredApps.h"
#include "core/paste/PasteKeys.h"
#include "core/theme/Theme.h"
#include "core/workspaces/Workspace.h"
#include "tests/unit/support/SimWorld.h"
#include "ui/KeyboardFocusRing.h"
#include "ui/ThemeColors.h"
#include "ui/settings/SettingsSidebarView.h"
#include "ui/settings/SettingsView.h"
#include "ui/settings/SettingsWindowView.h"

using namespace dovrik;

namespace {

// The X key code the test presses for J, and the US-layout code it stands for.
constexpr quint32 kScanCodeOfJ = 44;
constexpr int kKeyCodeOfJ = 38;
constexpr quint32 kScanCodeOfEscape = 9;
constexpr quint32 kScanCodeOfLeft = 113;
constexpr int kKeyCodeOfLeft = 123;

struct Settings {
  // `before` prepares the desktop and the stored settings before Dovrik starts.
  explicit Settings(const std::function<void(test::SimWorld&)>& before = {}) {
    if (before)
      before(world);
    world.sim.installedApps.setApps({{Uuid(), "Terminal", "org.example.Term", std::nullopt}});
    app.start();
    content = std::make_unique<SettingsContent>(settingsContentPorts(world.platform),
                                                app.settingsManagers(), "1.0");
    window.show(*content);
  }

  template <class T = QWidget>
  T* named(const QString& name) {
    for (T* widget : window.findChildren<T*>()) {
      if (widget->accessibleName() == name && widget->isVisibleTo(&window))
        return widget;
    }
    return nullptr;
  }
  bool shows(const QString& text) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
      if (label->text().contains(text) && label->isVisibleTo(&window))
        return true;
    }
    return false;
  }
  // Lets the panels rebuild after a change, and the layouts settle: a page taller than the
  // window is laid out, then the scroll area, then the page again at its new size, each on a
  // turn of the loop.
  void settle() {
    for (int turn = 0; turn < 4; ++turn)
      QCoreApplication::processEvents();
  }
  // Clicks as the pointer would, so the control is scrolled into the window first: a click
  // lands on whatever the window shows at its place.
  void click(const QString& name) {
    auto* button = named<QAbstractButton>(name);
    QVERIFY2(button, qPrintable("no control named " + name));
    for (QWidget* outer = button->parentWidget(); outer; outer = outer->parentWidget()) {
      if (auto* scroll = qobject_cast<QScrollArea*>(outer))
        scroll->ensureWidgetVisible(button);
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    settle();
  }
  void open(const QString& panel) {
    click(panel);
    world.clock.advanceBy(SettingsSidebar::fadeDuration);
    settle();
  }
  // Saves the window, or `part` of it such as a menu.
  void save(const QString& name, QWidget* part = nullptr) {
    const QString folder = qEnvironmentVariable("DOVRIK_SCREENSHOT_DIR");
    if (!folder.isEmpty())
      (part ? part : &window)->grab().save(folder + "/settings-" + name + ".png");
  }
  // Opens the add-rule sheet on the App Rules panel, lets the scan finish and picks the first
  // application.
  void pickFirstApplicationInTheSheet() {
    click("Add Rule");
    world.clock.advanceBy(0);
    settle();
    Q_EMIT named<QComboBox>("Application")->activated(1);
    settle();
  }
  // Saves the panel shown in light and then in dark, which it is left in.
  void saveInBothSchemes(const QString& name) {
    window.setColorScheme(ColorScheme::light);
    settle();
    save(name + "-light");
    window.setColorScheme(ColorScheme::dark);
    settle();
    save(name + "-dark");
  }
  // The texts of a "…" menu's entries, dividers left out.
  QStringList menuEntries(const QString& button) {
    QStringList texts;
    for (QAction* action : named<QPushButton>(button)->findChild<QMenu*>()->actions()) {
      if (!action->isSeparator())
        texts << action->text();
    }
    return texts;
  }
  void choose(const QString& button, const QString& entry) {
    for (QAction* action : named<QPushButton>(button)->findChild<QMenu*>()->actions()) {
      if (action->text() == entry)
        action->trigger();
    }
    settle();
  }
  // Whether the widget with the keyboard focus draws its ring.
  bool focusRingShown() {
    QWidget* focused = QApplication::focusWidget();
    return focused && ui::KeyboardFocusRing::shows(focused);
  }

  test::SimWorld world;
  App app{world.platform};
  std::unique_ptr<SettingsContent> content;
  ui::SettingsWindowView window{ColorScheme::light, [](quint32 scanCode) {
                                  switch (scanCode) {
                                    case kScanCodeOfJ:
                                      return kKeyCodeOfJ;
                                    case kScanCodeOfEscape:
                                      return ShortcutRecorder::escapeKeyCode;
                                    case kScanCodeOfLeft:
                                      return kKeyCodeOfLeft;
                                    default:
                                      return -1;
                                  }
                                }};
};

}  // namespace

class SettingsWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void generalSnappingAndDragZonesWriteAtOnce() {
    Settings s;
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Dovrik — Settings"));
    QCOMPARE(s.window.minimumSize(), QSize(680, 420));
    s.click("Launch at login");
    QVERIFY(s.app.appState().launchAtLogin());
    s.save("general");

    s.open("Snapping");
    s.click("Left Half");
    QVERIFY(!s.app.appState().enabledPositions().contains(SnapPosition::leftHalf));
    auto* opacity = s.named<QSlider>("Opacity");
    QVERIFY(opacity);
    opacity->setFocus();
    const double before = s.app.appState().previewOpacity();
    QTest::keyClick(opacity, Qt::Key_Right);
    QCOMPARE(s.app.appState().previewOpacity(), before + 0.05);
    s.click("Animate windows into place");
    s.settle();
    QVERIFY(!s.named<QAbstractButton>("Speed Fast")->isEnabled());

    s.open("Drag Zones");
    DragZoneManager& zones = s.app.dragZoneManager();
    auto* edge = s.named<QSlider>("Edge Zone");
    QVERIFY(edge);
    const double edgeBefore = zones.edgeSensitivity();
    QTest::keyClick(edge, Qt::Key_Right);
    s.settle();
    QCOMPARE(zones.edgeSensitivity(), edgeBefore + 1);
    QVERIFY(s.shows(QString::number(edgeBefore + 1) + "px"));
    s.click("Edge Snapping");
    QVERIFY(!zones.edgeSnappingEnabled());
    s.click("Corner Snapping");
    QVERIFY(!zones.cornerSnappingEnabled());
    s.click("Reset Defaults");
    QVERIFY(s.shows("Reset all drag zone settings?"));
    s.click("Reset");
    QVERIFY(zones.edgeSnappingEnabled() && zones.cornerSnappingEnabled());
  }

  // The window is built once while open, and lets go of its views when closed.
  void aBadgeRecordsTheKeyAtThePressedPositionAndClosingGivesTheHotkeysBack() {
    Settings s;
    ui::SettingsView* first = s.window.content();
    s.window.show(*s.content);
    QCOMPARE(s.window.content(), first);
    s.open("Shortcuts");
    s.click("Left Half");
    QVERIFY(s.named<QAbstractButton>("Left Half")->text() == "Recording…");
    QKeyEvent control(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37, 0, 0);
    QApplication::sendEvent(s.named("Left Half"), &control);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier | Qt::AltModifier,
                    kScanCodeOfJ, 0, 0, "j");
    QApplication::sendEvent(s.named("Left Half"), &press);
    s.settle();
    const KeyboardShortcut recorded{
        KeyboardShortcut::Key::j,
        {KeyboardShortcut::Modifier::control, KeyboardShortcut::Modifier::option}};
    QCOMPARE(s.app.appState().shortcuts().at(SnapPosition::leftHalf), recorded);
    QVERIFY(!s.window.hasKeyboard());

    // Closing the window while a badge listens gives the hotkeys back.
    s.click("Right Half");
    QVERIFY(s.app.ownHotkeys().isReleased());
    int closings = 0;
    s.window.closed.connect([&] { ++closings; });
    s.window.close();
    QVERIFY(!s.app.ownHotkeys().isReleased());
    QCOMPARE(closings, 1);
    QCOMPARE(s.window.content(), nullptr);
  }

  // The system would not let Dovrik watch the mouse: the General panel offers a fresh start.
  void generalOffersToRelaunchWhenTheTapWasRefused() {
    Settings s([](test::SimWorld& world) { world.sim.eventTap.refusals = -1; });
    QVERIFY(!s.named<QAbstractButton>("Quit and Reopen Dovrik"));
    s.world.clock.advanceBy(10);
    s.open("Snapping");
    s.open("General");
    s.click("Quit and Reopen Dovrik");
    QCOMPARE(s.world.sim.lifecycle.relaunches, 1);
  }

  void clipboardWorkspacesAndRules() {
    Settings s;
    s.open("Clipboard");
    s.click("Enable Clipboard History");
    QVERIFY(!s.app.appState().clipboardHistoryEnabled());
    s.click("Clear History");
    QVERIFY(s.named<QAbstractButton>("Cancel"));
    s.click("Cancel");
    s.click("Enable File Shelf");
    QVERIFY(!s.app.appState().fileShelfEnabled());
    s.click("Clear Shelf");
    QVERIFY(s.shows("Clear file shelf?"));
    s.click("Cancel");
    QVERIFY(!s.shows("Clear file shelf?"));

    // A name of only spaces keeps the naming card open; Cancel closes it.
    s.open("Workspaces");
    s.click("Save Current Layout…");
    QVERIFY(s.named<QLineEdit>("Name this layout"));
    s.named<QLineEdit>("Name this layout")->setText("   ");
    QTest::keyClick(s.named<QLineEdit>("Name this layout"), Qt::Key_Return);
    s.settle();
    QVERIFY(s.named<QLineEdit>("Name this layout"));
    QVERIFY(!s.shows("Nothing to save"));
    s.click("Cancel");
    QVERIFY(!s.named<QLineEdit>("Name this layout"));
    s.click("Save Current Layout…");
    auto* name = s.named<QLineEdit>("Name this layout");
    QVERIFY(name);
    name->setText("Desk");
    QTest::keyClick(name, Qt::Key_Return);
    s.settle();
    // The simulated desktop has no windows to record.
    QVERIFY(s.app.workspaceManager().workspaces().empty());
    QVERIFY(s.shows("Nothing to save"));

    s.open("App Rules");
    s.click("Add Rule");
    s.world.clock.advanceBy(0);
    s.settle();
    auto* apps = s.named<QComboBox>("Application");
    QVERIFY(apps);
    QCOMPARE(apps->count(), 2);
    Q_EMIT apps->activated(1);
    s.settle();
    s.click("Add Rule for selection");
    QCOMPARE(s.app.ruleManager().rules().size(), std::size_t(1));
    s.click("Rule for Terminal");
    QVERIFY(!s.app.ruleManager().rules()[0].isEnabled);
    s.click("Delete rule for Terminal");
    s.click("Delete Rule");
    QVERIFY(s.app.ruleManager().rules().empty());
  }

  // Tab from the sidebar row walks every control of each panel, and every control it reaches
  // has a name for assistive technologies.
  void tabReachesEveryControlOfEveryPanelAndEachHasAName() {
    Settings s;
    QApplication::setActiveWindow(&s.window);
    for (const SidebarItem item : SettingsSidebar::items) {
      const QString panel = QString::fromUtf8(rawValue(item).data(), rawValue(item).size());
      s.open(panel);
      auto* row = s.named<QAbstractButton>(panel);
      row->setFocus(Qt::TabFocusReason);
      QSet<QWidget*> reached;
      for (int i = 0; i < 80 && !reached.contains(QApplication::focusWidget()); ++i) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused && !focused->accessibleName().isEmpty(),
                 qPrintable(panel + ": a control without a name"));
        reached.insert(focused);
        QTest::keyClick(focused, Qt::Key_Tab);
      }
      int controls = 0;
      for (QWidget* widget : s.window.findChildren<QWidget*>()) {
        if (widget->isVisibleTo(&s.window) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
          ++controls;
      }
      QCOMPARE(reached.size(), controls);
    }
  }

  // Escape and a key without a modifier leave the shortcut; a combination another position
  // holds is refused with the notice, and the new colours keep the panel shown. A change of
  // colours rebuilds the views: a badge that was listening stops, and Dovrik's hotkeys come
  // back rather than staying released behind a badge that no longer exists.
  void refusalsKeepTheShortcutAndTheSchemeFollowsTheDesktop() {
    Settings s;
    s.open("Shortcuts");
    const auto before = s.app.appState().shortcuts();
    const auto press = [&](Qt::KeyboardModifiers modifiers, quint32 scanCode) {
      QKeyEvent event(QEvent::KeyPress, Qt::Key_J, modifiers, scanCode, 0, 0);
      QApplication::sendEvent(s.named("Top Half"), &event);
      s.settle();
    };
    s.click("Top Half");
    press(Qt::NoModifier, kScanCodeOfJ);
    QCOMPARE(s.world.sim.shell.beeps, 1);
    QCOMPARE(s.named<QAbstractButton>("Top Half")->text(), QStringLiteral("Recording…"));
    press(Qt::NoModifier, kScanCodeOfEscape);
    QVERIFY(!s.app.ownHotkeys().isReleased());
    QCOMPARE(s.app.appState().shortcuts(), before);

    s.click("Top Half");
    QKeyEvent leftArrow(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier,
                        kScanCodeOfLeft, 0, 0);
    QApplication::sendEvent(s.named("Top Half"), &leftArrow);
    s.settle();
    QCOMPARE(s.app.appState().shortcuts(), before);
    QVERIFY(s.shows("is already assigned to Left Half"));

    s.click("Bottom Half");
    QVERIFY(s.app.ownHotkeys().isReleased());
    s.window.setColorScheme(ColorScheme::dark);
    s.settle();
    QCOMPARE(s.window.content()->shownPanel(), SidebarItem::shortcuts);
    QVERIFY(s.shows("Click a shortcut badge"));
    QVERIFY(!s.app.ownHotkeys().isReleased());
    QVERIFY(!s.content->shortcuts().recorder(SnapPosition::bottomHalf).isRecording());
  }

  // The history is cut to the new size when the slider is let go, not while it is held.
  void clipboardSizeSliderCutsTheHistoryOnRelease() {
    Settings s;
    std::vector<ClipboardItem> items;
    for (int i = 0; i < 25; ++i) {
      ClipboardItem item;
      item.id = Uuid::random();
      item.text = "entry " + std::to_string(i);
      items.push_back(item);
    }
    s.app.clipboardManager().setItems(items);
    s.open("Clipboard");
    auto* size = s.named<QSlider>("History size");
    QVERIFY(size);
    size->setSliderDown(true);
    size->setValue(1);  // the second stop: 10 items
    QCOMPARE(s.app.appState().clipboardHistorySize(), 10);
    QCOMPARE(s.app.clipboardManager().items().size(), std::size_t(25));
    size->setSliderDown(false);
    s.settle();
    QCOMPARE(s.app.clipboardManager().items().size(), std::size_t(10));
    QVERIFY(s.shows("Store up to 10 items"));
  }

  void workspaceRowsSwitchRecordAndDeleteOnlyAfterAsking() {
    Settings s([](test::SimWorld& world) {
      const Workspace desk{Uuid::random(), "Desk", {}, "display", false, std::nullopt, 1000.5};
      const std::string text = *encodeWorkspaces({desk});
      world.sim.defaults.application().set(WorkspaceManager::storageKey,
                                           Bytes(text.begin(), text.end()));
    });
    const auto desk = [&] { return s.app.workspaceManager().workspaces().front(); };
    s.open("Workspaces");
    s.saveInBothSchemes("workspaces-row");
    QVERIFY(s.named<QAbstractButton>("Restore Desk"));
    s.click("Restore Desk automatically");
    QVERIFY(desk().autoRestore);

    s.click("Shortcut for Desk");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::MetaModifier | Qt::ShiftModifier, kScanCodeOfJ,
                    0, 0);
    QApplication::sendEvent(s.named("Shortcut for Desk"), &press);
    s.settle();
    const KeyboardShortcut recorded{
        KeyboardShortcut::Key::j,
        {KeyboardShortcut::Modifier::command, KeyboardShortcut::Modifier::shift}};
    QCOMPARE(desk().shortcut, std::optional(recorded));

    // Updating and deleting live in the row's menu, apart from the switch below the row.
    QCOMPARE(s.menuEntries("More for Desk"), (QStringList{"Update to Current Layout", "Delete"}));
    QVERIFY(!s.named<QAbstractButton>("Update to Current Layout"));
    s.click("More for Desk");
    auto* menu = s.named<QPushButton>("More for Desk")->findChild<QMenu*>();
    QVERIFY(menu->isVisible());
    s.save("workspaces-row-menu", menu);
    menu->hide();
    // Only windows on a display with an identity are recorded.
    s.world.desktop.addScreen({1440, 0, 1440, 900}, {1440, 0, 1440, 900},
                              "6A1F0C2E-3B44-4D55-8E66-7F7788990011");
    s.world.desktop.addWindow(test::SimWorld::appPid, {1500, 25, 720, 800}, "notes");
    s.choose("More for Desk", "Update to Current Layout");
    QCOMPARE(desk().windows.size(), std::size_t(1));

    s.choose("More for Desk", "Delete");
    QVERIFY(s.shows("Delete “Desk”?"));
    s.click("Cancel");
    QCOMPARE(s.app.workspaceManager().workspaces().size(), std::size_t(1));
    s.choose("More for Desk", "Delete");
    s.click("Delete");
    QVERIFY(s.app.workspaceManager().workspaces().empty());
    QVERIFY(s.shows("No saved layouts yet"));
  }

  // Opening the window and clicking leave no ring: the only highlight in the sidebar is the
  // selection. Tab brings the ring, a click takes it away again.
  void focusRingsFollowTheKeyboardOnly() {
    Settings s;
    QApplication::setActiveWindow(&s.window);
    s.settle();
    QCOMPARE(QApplication::focusWidget(), s.named("General"));
    QVERIFY(!s.focusRingShown());

    s.open("Snapping");
    QCOMPARE(QApplication::focusWidget(), s.named("Snapping"));
    QVERIFY(!s.focusRingShown());
    int selected = 0;
    for (const SidebarItem item : SettingsSidebar::items) {
      const auto* row = s.named<QAbstractButton>(QString::fromUtf8(rawValue(item).data()));
      selected += row->isChecked() ? 1 : 0;
    }
    QCOMPARE(selected, 1);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != s.named("Snapping"));
    QVERIFY(s.focusRingShown());
    s.save("snapping-keyboard-focus");
    // Space on a switch rebuilds the panel; the ring stays with the switch.
    auto* first = s.named<QAbstractButton>("Left Half");
    first->setFocus(Qt::TabFocusReason);
    s.window.setAttribute(Qt::WA_KeyboardFocusChange);
    QTest::keyClick(first, Qt::Key_Space);
    s.settle();
    QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Left Half"));
    QVERIFY(!s.app.appState().enabledPositions().contains(SnapPosition::leftHalf));

    s.click("Right Half");
    QVERIFY(!s.focusRingShown());
  }

  // A build without an update feed shows the update controls, disabled, with the reason.
  void updateControlsSayWhyTheyAreOffWithoutAFeed() {
    {
      Settings s;
      auto* automatic = s.named<QAbstractButton>("Check for updates automatically");
      auto* checkNow = s.named<QAbstractButton>("Check Now");
      QVERIFY(automatic && checkNow);
      QVERIFY(!automatic->isEnabled() && !automatic->isChecked());
      QVERIFY(!checkNow->isEnabled());
      QVERIFY(s.shows(QString::fromUtf8(GeneralPanelModel::noFeedReason.data())));
    }
    Settings s([](test::SimWorld& world) { world.sim.updateService.feedConfigured = true; });
    QVERIFY(s.named<QAbstractButton>("Check for updates automatically")->isEnabled());
    QVERIFY(s.named<QAbstractButton>("Check Now")->isEnabled());
    QVERIFY(!s.shows(QString::fromUtf8(GeneralPanelModel::noFeedReason.data())));
  }

  // No rules: a symbol, the title, one line and the button that adds one, and nothing that
  // can be ticked.
  void theEmptyRulesListIsAnEmptyStateWithItsAddButton() {
    Settings s;
    s.open("App Rules");
    QVERIFY(s.shows("No App Rules"));
    QVERIFY(s.shows("Add a rule to snap an app"));
    QVERIFY(s.window.findChildren<QCheckBox*>().isEmpty());
    QStringList ticks;
    for (QAbstractButton* button : s.window.findChildren<QAbstractButton*>()) {
      const bool sidebarRow = button->objectName() == button->accessibleName() &&
                              s.window.content()->sidebar().isAncestorOf(button);
      if (button->isCheckable() && button->isVisibleTo(&s.window) && !sidebarRow)
        ticks << button->accessibleName();
    }
    QCOMPARE(ticks, QStringList{"Enabled"});
    s.click("Add Rule");
    s.world.clock.advanceBy(0);
    s.settle();
    QVERIFY(s.named<QComboBox>("Application"));
  }

  // Every panel in both schemes sits on the page colour, with its cards lighter than the page.
  void everyPanelLiesOnThePageWithRaisedCardsInBothSchemes() {
    Settings s;
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
      s.window.setColorScheme(scheme);
      s.settle();
      for (const SidebarItem item : SettingsSidebar::items) {
        const QString panel = QString::fromUtf8(rawValue(item).data(), rawValue(item).size());
        s.open(panel);
        // The fade runs on the toolkit's own clock; the shot is of the settled panel.
        QTRY_VERIFY_WITH_TIMEOUT(
            !s.window.content()->findChild<QScrollArea*>()->graphicsEffect()->isEnabled(), 2000);
        const QString name =
            panel.toLower().replace(' ', '-') + (scheme == ColorScheme::dark ? "-dark" : "-light");
        s.save(name);
        const QImage shot = s.window.content()->grab().toImage();
        const QColor page = ui::themeColor(ColorToken::page, scheme);
        // The gap between the sidebar and the first card.
        QCOMPARE(shot.pixelColor(200, shot.height() - 4).name(), page.name());
      }
    }
    const auto luminance = [](ColorToken token, ColorScheme scheme) {
      return Theme::relativeLuminance(Theme::color(token, scheme));
    };
    QVERIFY(luminance(ColorToken::surface, ColorScheme::dark) >
            luminance(ColorToken::page, ColorScheme::dark));
  }

  void accessButtonPromptsFirstAndOpensTheSettingsPageAfter() {
    Settings s([](test::SimWorld& world) { world.desktop.setTrusted(false); });
    QVERIFY(s.shows("Accessibility access required"));
    s.click("Allow Access");
    QVERIFY(s.app.appState().hasPromptedForAccessibility());
    QVERIFY(s.named<QAbstractButton>("Open Privacy Settings"));
  }

  void dragZonesSayWhichWindowManagerSettingToTurnOffWhileDragSnappingIsOn() {
    // metacity's setting cannot be read here: its tool is missing.
    Settings s([](test::SimWorld& world) {
      world.sim.edgeTiling.windowManager = {
          "Metacity",
          {{"gsettings org.gnome.metacity edge-tiling",
            "run gsettings set org.gnome.metacity edge-tiling false"}}};
    });
    s.open("Drag Zones");
    QVERIFY(s.shows("Metacity tiles windows dropped on a screen edge itself"));
    QVERIFY(s.shows("run gsettings set org.gnome.metacity edge-tiling false."));
    s.save("drag-zones-edge-tiling");
    s.click("Drag Snapping");
    s.world.clock.runUntilIdle();
    s.settle();
    QVERIFY(!s.shows("Metacity tiles windows"));
  }

  void dragZonesGiveTheReasonAndNoControlsWhereDragsAreNotFollowed() {
    Settings s([](test::SimWorld& world) { world.sim.eventTap.followsDrags = false; });
    s.open("Drag Zones");
    QVERIFY(s.shows(QString::fromUtf8(DragMonitor::dragsNotFollowedText)));
    for (const char* control : {"Drag Snapping", "Edge Zone", "Reset Defaults"})
      QVERIFY2(!s.named(control), control);
    QVERIFY(!s.shows(QString::fromUtf8(DragZonesPanelModel::sensitivitySection)));
    s.save("drag-zones-not-followed");
  }

  void shortcutRowsClearAndResetAllAndTheSnappingSwitchesAndSliders() {
    Settings s;
    s.open("Shortcuts");
    s.click("Clear Left Half");
    QVERIFY(!s.app.appState().shortcuts().contains(SnapPosition::leftHalf));
    QVERIFY(!s.named<QAbstractButton>("Clear Left Half"));
    s.click("Reset All");
    QVERIFY(s.app.appState().shortcuts().contains(SnapPosition::leftHalf));
    QVERIFY(s.named<QAbstractButton>("Clear Left Half"));

    s.open("Snapping");
    s.click("Cycle sizes when a shortcut is pressed again");
    QVERIFY(!s.app.appState().cyclesSnapSizes());
    s.click("Cycle sizes when a shortcut is pressed again");
    QVERIFY(s.app.appState().cyclesSnapSizes());
    auto* gap = s.named<QSlider>("Gap between windows");
    QVERIFY(gap);
    gap->setFocus();
    for (int step = 0; step < 8; ++step)
      QTest::keyClick(gap, Qt::Key_Right);
    s.settle();
    QCOMPARE(s.app.appState().snapGap(), 8);
    QVERIFY(s.shows("8px"));
    for (QWidget* outer = gap->parentWidget(); outer; outer = outer->parentWidget()) {
      if (auto* scroll = qobject_cast<QScrollArea*>(outer))
        scroll->ensureWidgetVisible(gap, 0, 120);
    }
    s.settle();
    s.save("snapping-sizes-and-gap");

    s.click("Speed Fast");
    QCOMPARE(s.app.appState().animationSpeedRaw(), std::string("Fast"));
    s.click("Rounded corners");
    QVERIFY(!s.app.appState().useRoundedCorners());
  }

  void aSecondRuleForAnAppIsRefusedInTheSheet() {
    Settings s;
    s.open("App Rules");
    s.pickFirstApplicationInTheSheet();
    s.click("Add Rule for selection");
    s.saveInBothSchemes("app-rules-row");
    s.pickFirstApplicationInTheSheet();
    QVERIFY(s.shows("This app already has a rule"));
    QVERIFY(!s.named<QAbstractButton>("Add Rule for selection")->isEnabled());
    QCOMPARE(s.app.ruleManager().rules().size(), std::size_t(1));
  }

  // A rule's row shows the icon its application's desktop entry names.
  void aRuleRowShowsItsApplicationsOwnIcon() {
    QTemporaryDir folder;
    const QString iconFile = folder.filePath("terminal.png");
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(iconFile));
    Settings s;
    s.world.sim.installedApps.setApps(
        {{Uuid(), "Terminal", "org.example.Term", iconFile.toStdString()}});
    s.open("App Rules");
    s.pickFirstApplicationInTheSheet();
    s.click("Add Rule for selection");
    const auto showsRed = [&] {
      for (QLabel* label : s.window.findChildren<QLabel*>()) {
        const QImage image = label->pixmap().toImage();
        if (label->isVisibleTo(&s.window) && !image.isNull() &&
            image.pixelColor(image.width() / 2, image.height() / 2) == QColor(Qt::red))
          return true;
      }
      return false;
    };
    QVERIFY(showsRed());
  }

  void pinnedEntriesAreListedAndUnpinnedAndTheShortcutResets() {
    Settings s;
    ClipboardItem pinned;
    pinned.id = Uuid::random();
    pinned.text = "keep me";
    pinned.isPinned = true;
    s.app.clipboardManager().setItems({pinned});
    s.open("Clipboard");
    QVERIFY(s.shows("keep me"));
    s.click("Unpin keep me");
    QVERIFY(!s.app.clipboardManager().items().front().isPinned);
    QVERIFY(!s.shows("keep me"));

    const KeyboardShortcut standard = s.app.appState().clipboardShortcut();
    s.click("Keyboard Shortcut");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_J, Qt::MetaModifier | Qt::AltModifier, kScanCodeOfJ,
                    0, 0);
    QApplication::sendEvent(s.named("Keyboard Shortcut"), &press);
    s.settle();
    QVERIFY(!(s.app.appState().clipboardShortcut() == standard));
    s.click(QString::fromStdString(s.world.platform.texts.clipboardShortcutResetHelp));
    QCOMPARE(s.app.appState().clipboardShortcut(), standard);
  }

  void pasteKeystrokesAreAddedChangedAndRemovedInTheClipboardPanel() {
    Settings s;
    s.open("Clipboard");
    // The running editor and the installed terminal, by name.
    auto* apps = s.named<QComboBox>("Application");
    QVERIFY(apps);
    QCOMPARE(apps->count(), 3);
    QCOMPARE(apps->itemText(2), QStringLiteral("Terminal"));
    Q_EMIT apps->activated(2);
    s.settle();
    Q_EMIT s.named<QComboBox>("New paste keystroke")->activated(2);
    s.settle();
    s.click("Add paste keystroke");
    QCOMPARE(pasteKeyTable(s.app.appState()),
             (PasteKeyTable{{"org.example.Term", PasteChord::ShiftInsert}}));
    QVERIFY(s.shows("org.example.Term"));

    Q_EMIT s.named<QComboBox>("Paste keystroke for Terminal")->activated(1);
    s.settle();
    QCOMPARE(pasteKeyTable(s.app.appState()).at("org.example.Term"), PasteChord::ControlShiftV);
    s.click("Remove paste keystroke for Terminal");
    QVERIFY(pasteKeyTable(s.app.appState()).empty());
    QVERIFY(!s.shows("org.example.Term"));
  }

  void ignoredApplicationsAreAddedFromThePickerAndRemovedInTheClipboardPanel() {
    Settings s;
    s.open("Clipboard");
    QVERIFY(s.shows("IGNORED APPLICATIONS"));
    QVERIFY(s.shows("Bitwarden") && s.shows("bitwarden"));
    auto* apps = s.named<QComboBox>("Add Application…");
    QVERIFY(apps);
    QCOMPARE(apps->itemText(0), QStringLiteral("Add Application…"));
    QCOMPARE(apps->itemText(2), QStringLiteral("Terminal"));
    Q_EMIT apps->activated(2);
    s.settle();
    QVERIFY(ignoredApps(s.app.appState()).back() == "org.example.Term");
    QVERIFY(s.shows("org.example.Term"));
    s.click("Stop ignoring Terminal");
    QVERIFY(!s.shows("org.example.Term"));
    s.click("Stop ignoring Bitwarden");
    QVERIFY(!s.shows("bitwarden"));
    QCOMPARE(ignoredApps(s.app.appState()).size(), defaultIgnoredApps().size() - 1);
  }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
