// Builds the tray menu from the menu model on every opening and after each rebuild request,
// and routes chosen items to the controller.
#include "ui/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeySequence>
#include <cstdio>

#include "ui/SymbolIcon.h"

namespace dovrik::ui {
namespace {

constexpr int kTrayCheckIntervalMs = 500;
constexpr int kTrayChecks = 10;

QString qstr(const std::string& text) {
  return QString::fromStdString(text);
}

// The menu model speaks the Mac's modifiers; Qt's Ctrl is Command on a Mac and Control
// elsewhere, which is what the user expects on each.
QKeySequence keySequence(const KeyEquivalent& key) {
  if (key.key.empty())
    return {};
  QString text;
  if (key.modifiers.contains(Modifier::control))
    text += "Meta+";
  if (key.modifiers.contains(Modifier::option))
    text += "Alt+";
  if (key.modifiers.contains(Modifier::shift))
    text += "Shift+";
  if (key.modifiers.contains(Modifier::command))
    text += "Ctrl+";
  text += qstr(key.key).toUpper();
  return QKeySequence::fromString(text, QKeySequence::PortableText);
}

QColor glyphColor() {
  return QGuiApplication::palette().color(QPalette::WindowText);
}

}  // namespace

TrayIcon::TrayIcon(MenuBarController& controller, ColorScheme scheme, Art art, QObject* parent)
    : QObject(parent), controller_(controller), scheme_(scheme), art_(art) {
  tray_.setToolTip(qstr(std::string(MenuBarController::statusItemDescription)));
  tray_.setContextMenu(&menu_);
  // A disabled item says why through its tooltip. Icons need no tooltip of their own: each
  // stands beside its item's title.
  menu_.setToolTipsVisible(true);
  refreshIcon();
  rebuildMenu();

  connect(&menu_, &QMenu::aboutToShow, this, [this] { rebuildMenu(); });
  // X11 trays open the context menu on a right click only; a left click opens it too, as a
  // click on a status item does.
  connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
    if (r == QSystemTrayIcon::Trigger)
      menu_.popup(QCursor::pos());
  });
  rebuildConnection_ = controller_.menuNeedsRebuild.connect([this] { scheduleRebuild(); });
  noticeConnection_ = controller_.noticeRequested.connect(
      [this](const MenuBarController::Notice& notice) { showNotice(notice); });
  saveLayoutConnection_ = controller_.saveLayoutRequested.connect(
      [this](const MenuBarController::SaveLayoutPrompt& prompt) { askForLayoutName(prompt); });
  trayWatch_.setInterval(kTrayCheckIntervalMs);
  connect(&trayWatch_, &QTimer::timeout, this, [this] { checkForTray(); });
  qApp->installEventFilter(this);
}

TrayIcon::~TrayIcon() {
  controller_.menuNeedsRebuild.disconnect(rebuildConnection_);
  controller_.noticeRequested.disconnect(noticeConnection_);
  controller_.saveLayoutRequested.disconnect(saveLayoutConnection_);
  if (noticeBox_)
    delete noticeBox_;
  if (layoutNameDialog_)
    delete layoutNameDialog_;
}

void TrayIcon::show() {
  tray_.show();
  if (QSystemTrayIcon::isSystemTrayAvailable())
    return;
  trayChecksLeft_ = kTrayChecks;
  trayWatch_.start();
}

void TrayIcon::checkForTray() {
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    trayWatch_.stop();
    return;
  }
  if (--trayChecksLeft_ > 0)
    return;
  trayWatch_.stop();
  std::fputs(
      "Dovrik: no system tray was found on this display. The icon appears when a tray starts; "
      "the snap hotkeys work meanwhile.\n",
      stderr);
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
    refreshIcon();
    scheduleRebuild();
  }
  return QObject::eventFilter(watched, event);
}

void TrayIcon::setColorScheme(ColorScheme scheme) {
  scheme_ = scheme;
  if (layoutNameDialog_)
    layoutNameDialog_->setColorScheme(scheme);
}

void TrayIcon::refreshIcon() {
  tray_.setIcon(art_ == Art::applicationIcon
                    ? QApplication::windowIcon()
                    : symbolIcon(MenuBarController::statusItemSymbol, glyphColor()));
}

// A rebuild asked for by an item's own action waits for the next turn of the loop: the menu
// must not delete the action that is still being triggered.
void TrayIcon::scheduleRebuild() {
  if (rebuildPending_)
    return;
  rebuildPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        rebuildPending_ = false;
        rebuildMenu();
      },
      Qt::QueuedConnection);
}

void TrayIcon::rebuildMenu() {
  menu_.clear();
  const QColor color = menu_.palette().color(QPalette::WindowText);
  for (const MenuItem& item : controller_.populate()) {
    if (item.isSeparator) {
      menu_.addSeparator();
      continue;
    }
    QAction* action = menu_.addAction(qstr(item.title));
    action->setEnabled(item.enabled);
    if (item.state == MenuItemState::on) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    // Qt's styles draw a checked item's icon in a sunken frame instead of a check mark: the
    // current item shows the mark in its icon's place.
    if (!item.iconName.empty() && !action->isChecked())
      action->setIcon(symbolIcon(item.iconName, color));
    action->setToolTip(qstr(item.unavailableReason));
    action->setShortcut(keySequence(item.keyEquivalent));
    if (item.action != MenuAction::none)
      connect(action, &QAction::triggered, this, [this, item] { choose(item); });
  }
}

void TrayIcon::choose(const MenuItem& item) {
  if (item.action == MenuAction::terminate) {
    QCoreApplication::quit();
    return;
  }
  controller_.perform(item);
}

void TrayIcon::askForLayoutName(const MenuBarController::SaveLayoutPrompt& prompt) {
  // Opened without a nested event loop: the menu that asked has to close first. A second ask
  // while one is open brings that one forward.
  if (!layoutNameDialog_)
    layoutNameDialog_ = new LayoutNameDialog(
        scheme_, [this](const QString& name) { controller_.saveLayout(name.toStdString()); });
  layoutNameDialog_->ask(prompt);
}

void TrayIcon::showNotice(const MenuBarController::Notice& notice) {
  if (notice.passing && tray_.isVisible() && QSystemTrayIcon::supportsMessages()) {
    tray_.showMessage(qstr(notice.title), qstr(notice.text), QSystemTrayIcon::Warning);
    return;
  }
  if (!noticeBox_) {
    // No title of its own: the window manager shows the application name, "Dovrik".
    noticeBox_ = new QMessageBox(QMessageBox::Warning, QString(), QString());
    noticeBox_->setAttribute(Qt::WA_DeleteOnClose);
    noticeBox_->setModal(false);
  }
  // A box still open from an earlier notice shows this one instead.
  noticeBox_->setText(qstr(notice.title));
  noticeBox_->setInformativeText(qstr(notice.text));
  noticeBox_->setAttribute(Qt::WA_ShowWithoutActivating, notice.passing);
  noticeBox_->show();
  noticeBox_->raise();
  if (!notice.passing)
    noticeBox_->activateWindow();
}

}  // namespace dovrik::ui
