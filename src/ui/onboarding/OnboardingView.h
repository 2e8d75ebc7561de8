// The first-run window's content over its model: the header, the card that explains the
// permission, and the action area, which follows the trust state and the wait by itself.
#pragma once

#include <QDialogButtonBox>
#include <QPushButton>

#include "core/onboarding/OnboardingModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class OnboardingView : public SettingsPage {
 public:
  OnboardingView(OnboardingModel& model, ColorScheme scheme, QWidget* parent = nullptr);

  // The button the window's first key press acts on.
  QPushButton* primaryButton() const { return primary_; }

 protected:
  void build() override;

 private:
  void addHeaderBlock();
  void addExplanationCard();
  void addTrustedActions();
  void addUntrustedActions();
  // A button in the stand-alone windows' look rather than the settings window's.
  QPushButton* dialogButton(std::string_view title, std::function<void()> action);
  // The action row in the desktop's order, centred; `lead` is the default button.
  QDialogButtonBox* actionRow(QPushButton* lead, QPushButton* secondary = nullptr);
  QWidget* centred(std::initializer_list<QWidget*> widgets);
  QLabel* centredText(std::string_view text, ColorToken token, int pixelSize);

  OnboardingModel& model_;
  QPushButton* primary_ = nullptr;
};

}  // namespace dovrik::ui
