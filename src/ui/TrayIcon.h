// The status item on Linux: a tray icon whose menu mirrors the core's menu model and whose
// items call the menu bar controller.
#pragma once

#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <vector>

#include "core/menubar/MenuBarController.h"
#include "core/theme/ColorScheme.h"
#include "ui/LayoutNameDialog.h"

namespace dovrik::ui {

class TrayIcon : public QObject {
 public:
  // What the tray shows: a glyph in the palette's text colour, for a panel drawn in the
  // palette's colours; otherwise the application's icon in its own colours, which stands out
  // on a light or a dark panel alike.
  enum class Art { paletteGlyph, applicationIcon };

  TrayIcon(MenuBarController& controller, ColorScheme scheme, Art art = Art::paletteGlyph,
           QObject* parent = nullptr);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() override;

  // Shows the icon. Trays often start after the programs of a session, so a missing tray is
  // looked for again for a few seconds before Dovrik says, once, that there is none. Qt embeds
  // the icon in a tray that starts later still.
  void show();

  // The scheme of the windows the menu opens.
  void setColorScheme(ColorScheme scheme);

  QMenu& menu() { return menu_; }
  QSystemTrayIcon& trayIcon() { return tray_; }
  // The open layout prompt; null while none is open.
  LayoutNameDialog* layoutNameDialog() { return layoutNameDialog_; }

 protected:
  // Redraws the glyphs when the light or dark palette changes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rebuildMenu();
  void scheduleRebuild();
  void choose(const MenuItem& item);
  void showNotice(const MenuBarController::Notice& notice);
  // Asks for the new layout's name; "Save" hands it to the controller.
  void askForLayoutName(const MenuBarController::SaveLayoutPrompt& prompt);
  void checkForTray();
  void refreshIcon();

  MenuBarController& controller_;
  ColorScheme scheme_;
  Art art_;
  QMenu menu_;
  QSystemTrayIcon tray_;
  QTimer trayWatch_;
  int trayChecksLeft_ = 0;
  bool rebuildPending_ = false;
  QPointer<QMessageBox> noticeBox_;
  QPointer<LayoutNameDialog> layoutNameDialog_;
  Signal<>::Connection rebuildConnection_ = 0;
  Signal<const MenuBarController::Notice&>::Connection noticeConnection_ = 0;
  Signal<const MenuBarController::SaveLayoutPrompt&>::Connection saveLayoutConnection_ = 0;
};

}  // namespace dovrik::ui
