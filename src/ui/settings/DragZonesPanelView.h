// The Drag Zones panel: the zone switches, the sensitivity sliders and the zone preview.
#pragma once

#include "core/settings/DragZonesPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class DragZonesPanelView : public SettingsPage {
 public:
  DragZonesPanelView(DragZonesPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  DragZonesPanelModel& model_;
};

}  // namespace dovrik::ui
