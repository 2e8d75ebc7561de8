// The simulated first-run window: records each showing and closes when the core or a test says
// so.
#pragma once

#include <vector>

#include "core/platform/OnboardingWindow.h"

namespace dovrik::sim {

class SimOnboardingWindow : public OnboardingWindow {
 public:
  void show(OnboardingModel& model) override {
    showings_.push_back(&model);
    open_ = true;
  }
  void dismiss() override { userCloses(); }

  // The model handed over each time the window was asked for, oldest first.
  const std::vector<OnboardingModel*>& showings() const { return showings_; }
  bool isOpen() const { return open_; }
  void userCloses() {
    open_ = false;
    closed.emit();
  }

 private:
  std::vector<OnboardingModel*> showings_;
  bool open_ = false;
};

}  // namespace dovrik::sim
