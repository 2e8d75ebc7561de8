// Loading, picking and the one-rule-per-application check of the add-rule sheet.
#include "core/rules/AddRuleSheetModel.h"

namespace dovrik {

AddRuleSheetModel::AddRuleSheetModel(RuleManager& rules, InstalledAppsCache& installedApps)
    : rules_(rules), installedApps_(installedApps) {}

void AddRuleSheetModel::appear() {
  isLoading_ = true;
  changed.emit();
  // The sheet may be closed and gone before a scan finishes.
  installedApps_.load(lifetime_.guard([this] {
    apps_ = installedApps_.apps();
    isLoading_ = false;
    changed.emit();
  }));
}

void AddRuleSheetModel::selectApp(std::optional<AppInfo> app) {
  selectedApp_ = std::move(app);
  changed.emit();
}

void AddRuleSheetModel::selectPosition(SnapPosition position) {
  selectedPosition_ = position;
  changed.emit();
}

bool AddRuleSheetModel::selectionHasRule() const {
  return selectedApp_ && rules_.hasRule(selectedApp_->bundleIdentifier);
}

void AddRuleSheetModel::addRule() {
  if (!selectedApp_ || selectionHasRule())
    return;
  rules_.add(AppRule{Uuid::random(), selectedApp_->bundleIdentifier, selectedApp_->name,
                     selectedPosition_, true});
  close();
}

void AddRuleSheetModel::close() {
  isPresented_ = false;
  changed.emit();
}

}  // namespace dovrik
