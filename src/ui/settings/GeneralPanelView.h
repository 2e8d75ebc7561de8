// The General panel: snapping, launch at login, the snap preview, window-control access and
// the version.
#pragma once

#include "core/settings/GeneralPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class GeneralPanelView : public SettingsPage {
 public:
  GeneralPanelView(GeneralPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  GeneralPanelModel& model_;
};

}  // namespace dovrik::ui
