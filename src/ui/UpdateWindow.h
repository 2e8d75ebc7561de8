// The update window: the answer of a check or an installation from the updater, with release
// notes and the buttons it offers. It appears when the updater has something to say and goes
// when it has not.
#pragma once

#include <QWidget>

#include "core/theme/ColorScheme.h"
#include "core/update/UpdateManager.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dovrik::ui {

class UpdateWindow : public QWidget {
 public:
  UpdateWindow(UpdateManager& updates, ColorScheme scheme);
  ~UpdateWindow() override;

  void setColorScheme(ColorScheme scheme);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void refresh();

  UpdateManager& updates_;
  QLabel* heading_;
  QLabel* message_;
  QPlainTextEdit* notes_;
  QPushButton* secondary_;
  QPushButton* primary_;
  Signal<>::Connection observer_;
};

}  // namespace dovrik::ui
