// The App Rules panel: the rules switch, the list of rules and the sheet that adds one.
#pragma once

#include "core/settings/RulesPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class RulesPanelView : public SettingsPage {
 public:
  RulesPanelView(RulesPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  // The add-rule sheet, shown inline above the list while it is open.
  void addSheet(AddRuleSheetModel& sheet);

  RulesPanelModel& model_;
};

}  // namespace dovrik::ui
