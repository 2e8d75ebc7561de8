// The Workspaces panel: saving the current layout under a name and one row per saved layout.
#pragma once

#include "core/settings/WorkspacesPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class WorkspacesPanelView : public SettingsPage {
 public:
  WorkspacesPanelView(WorkspacesPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  void addNamingCard();
  void addLayoutRow(SettingsCard* card, const WorkspacesPanelModel::Row& layout);

  WorkspacesPanelModel& model_;
};

}  // namespace dovrik::ui
