// The update window: the answer of a check or an installation from the updater, with release
// notes and the buttons it offers. It appears when the updater has something to say and goes
// when it has not.
#pragma once

#include <QDialog>

#include "core/theme/ColorScheme.h"
#include "core/update/UpdateManager.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace dovrik::ui {

class UpdateWindow : public QDialog {
 public:
  UpdateWindow(UpdateManager& updates, ColorScheme scheme);
  ~UpdateWindow() override;

  void setColorScheme(ColorScheme scheme);

 protected:
  // Escape and the close button dismiss the answer; while an update installs the window
  // stays, as its end is what the user waits for.
  void reject() override;

 private:
  void refresh();

  UpdateManager& updates_;
  QLabel* heading_;
  QLabel* message_;
  QScrollArea* notesArea_;
  QLabel* notes_;
  QPushButton* secondary_;
  QPushButton* primary_;
  Signal<>::Connection observer_;
};

}  // namespace dovrik::ui
