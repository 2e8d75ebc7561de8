// The App Rules panel's bindings and confirmation.
#include "core/settings/RulesPanelModel.h"

#include <algorithm>
#include <utility>

namespace dovrik {

RulesPanelModel::RulesPanelModel(AppState& appState, RuleManager& rules,
                                 InstalledAppsCache& installedApps)
    : appState_(appState), rules_(rules), installedApps_(installedApps) {
  rulesObserver_ = rules_.rulesChanged.connect([this] { changed.emit(); });
}

RulesPanelModel::~RulesPanelModel() {
  rules_.rulesChanged.disconnect(rulesObserver_);
}

void RulesPanelModel::appear() {
  if (installedApps_.apps().empty() && !rules_.rules().empty())
    installedApps_.load(lifetime_.guard([this] { changed.emit(); }));
}

std::optional<std::string> RulesPanelModel::iconName(const AppRule& rule) const {
  for (const AppInfo& app : installedApps_.apps()) {
    if (app.bundleIdentifier == rule.bundleIdentifier)
      return app.icon;
  }
  return std::nullopt;
}

std::optional<AppRule> RulesPanelModel::rule(const Uuid& id) const {
  const auto& all = rules_.rules();
  const auto it =
      std::find_if(all.begin(), all.end(), [&](const AppRule& r) { return r.id == id; });
  if (it == all.end())
    return std::nullopt;
  return *it;
}

void RulesPanelModel::setRuleEnabled(const Uuid& id, bool enabled) {
  if (auto found = rule(id)) {
    found->isEnabled = enabled;
    rules_.update(*found);
  }
}

void RulesPanelModel::requestDelete(const Uuid& id) {
  pendingDelete_ = id;
  changed.emit();
}

std::optional<Confirmation> RulesPanelModel::deleteConfirmation() const {
  if (!pendingDelete_)
    return std::nullopt;
  const auto found = rule(*pendingDelete_);
  if (!found)
    return std::nullopt;
  return Confirmation{"Delete the rule for " + found->appName + "?", "", "Delete Rule"};
}

void RulesPanelModel::confirmDelete() {
  const auto id = std::exchange(pendingDelete_, std::nullopt);
  if (id) {
    if (const auto found = rule(*id))
      rules_.remove(*found);
  }
  changed.emit();
}

void RulesPanelModel::cancelDelete() {
  pendingDelete_.reset();
  changed.emit();
}

void RulesPanelModel::openAddRuleSheet() {
  sheet_ = std::make_unique<AddRuleSheetModel>(rules_, installedApps_);
  // The sheet is owned here, so the connection ends with it.
  sheet_->changed.connect([this] { changed.emit(); });
  sheet_->appear();
  changed.emit();
}

AddRuleSheetModel* RulesPanelModel::addRuleSheet() {
  return sheet_ && sheet_->isPresented() ? sheet_.get() : nullptr;
}

}  // namespace dovrik
