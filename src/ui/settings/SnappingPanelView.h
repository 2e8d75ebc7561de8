// The Snapping panel: the positions offered, the motion of a snap and the preview's look.
#pragma once

#include "core/settings/SnappingPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class SnappingPanelView : public SettingsPage {
 public:
  SnappingPanelView(SnappingPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  QWidget* speedPicker();
  QWidget* previewSample();

  SnappingPanelModel& model_;
};

}  // namespace dovrik::ui
