// The question before the current layout is saved, in Dovrik's own look: a heading, what saving
// records, the name field preset to the displays' description, and Save and Cancel.
#pragma once

#include <QDialog>
#include <functional>

#include "core/menubar/MenuBarController.h"
#include "core/theme/ColorScheme.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dovrik::ui {

class LayoutNameDialog : public QDialog {
 public:
  // `save` gets the name as typed when the user saves.
  LayoutNameDialog(ColorScheme scheme, std::function<void(const QString&)> save);

  // Shows `prompt`'s texts, with the whole proposed name selected so typing replaces it.
  void ask(const MenuBarController::SaveLayoutPrompt& prompt);
  void setColorScheme(ColorScheme scheme);

  QLineEdit& nameField() { return *name_; }
  QPushButton& saveButton() { return *save_; }

 private:
  QLabel* heading_;
  QLabel* explanation_;
  QLineEdit* name_;
  QPushButton* save_;
  QPushButton* cancel_;
};

}  // namespace dovrik::ui
