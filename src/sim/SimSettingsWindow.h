// The simulated settings window: records each showing and closes when a test says the user
// closed it.
#pragma once

#include <vector>

#include "core/platform/SettingsWindow.h"

namespace dovrik::sim {

class SimSettingsWindow : public SettingsWindow {
 public:
  void show(SettingsContent& content) override {
    showings_.push_back(&content);
    open_ = true;
  }

  // The content handed over each time the window was asked for, oldest first.
  const std::vector<SettingsContent*>& showings() const { return showings_; }
  bool isOpen() const { return open_; }
  void userCloses() {
    open_ = false;
    closed.emit();
  }

 private:
  std::vector<SettingsContent*> showings_;
  bool open_ = false;
};

}  // namespace dovrik::sim
