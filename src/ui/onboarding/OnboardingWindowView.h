// The first-run window on the desktop: a fixed-size top-level window over the model the core
// hands it, titled "Dovrik", centred on the screen under the pointer and activated through the
// window manager. Closing it, by the user or the core, lets go of the model.
#pragma once

#include <QWidget>

#include "core/platform/OnboardingWindow.h"
#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class OnboardingView;

class OnboardingWindowView : public QWidget, public OnboardingWindow {
 public:
  explicit OnboardingWindowView(ColorScheme scheme);

  void show(OnboardingModel& model) override;
  void dismiss() override;
  // Re-colours the content at once, also while it is shown.
  void setColorScheme(ColorScheme scheme);

  OnboardingView* content() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Return presses the focused button, else the default one; Escape closes the window. Not a
  // QDialog: its default-button bookkeeping walks the content while a rebuild deletes it.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildView();

  ColorScheme scheme_;
  OnboardingModel* model_ = nullptr;
  OnboardingView* view_ = nullptr;
};

}  // namespace dovrik::ui
