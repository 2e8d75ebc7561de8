// The window a copy started from a place it cannot keep shows instead of the tray: it offers to
// move Dovrik to where programs are installed, or to open the installed copy. Closing it quits.
#pragma once

#include <QDialog>

#include "core/install/RelocateModel.h"
#include "core/theme/ColorScheme.h"

class QLabel;
class QPushButton;

namespace dovrik::ui {

class RelocationWindow : public QDialog {
 public:
  RelocationWindow(RelocateModel& model, ColorScheme scheme);
  ~RelocationWindow() override;

  // Shows the window centred on the screen under the pointer, as the active window.
  void present();
  void setColorScheme(ColorScheme scheme);

 protected:
  // Escape and the close button quit, as "Quit" does.
  void reject() override;

 private:
  void refresh();

  RelocateModel& model_;
  QLabel* heading_;
  QLabel* explanation_;
  QLabel* failure_;
  QPushButton* primary_;
  Signal<>::Connection observer_;
};

}  // namespace dovrik::ui
