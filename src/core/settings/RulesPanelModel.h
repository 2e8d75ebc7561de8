// The App Rules panel: the rules switch, the list of rules with their switches, deleting a
// rule behind a confirmation, and the sheet that adds one.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/AppState.h"
#include "core/rules/AddRuleSheetModel.h"
#include "core/rules/InstalledAppsCache.h"
#include "core/rules/RuleManager.h"
#include "core/settings/Confirmation.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class RulesPanelModel {
 public:
  static constexpr std::string_view section = "App Rules";
  static constexpr std::string_view enabledTitle = "Enabled";
  static constexpr std::string_view addTitle = "Add Rule";
  static constexpr std::string_view explanation =
      "Rules snap an app's window when you launch it. Windows you move yourself afterwards are "
      "left alone.";
  static constexpr std::string_view emptySymbol = "app.badge.checkmark";
  static constexpr std::string_view emptyTitle = "No App Rules";
  static constexpr std::string_view emptyText =
      "Add a rule to snap an app to a position each time you launch it.";
  static constexpr std::string_view noIconSymbol = "app.fill";
  static constexpr std::string_view deleteSymbol = "trash";

  RulesPanelModel(AppState& appState, RuleManager& rules, InstalledAppsCache& installedApps);
  RulesPanelModel(const RulesPanelModel&) = delete;
  RulesPanelModel& operator=(const RulesPanelModel&) = delete;
  ~RulesPanelModel();

  // The panel is shown: with rules to list, the installed applications are read (once per
  // run) for their icons, and `changed` is raised when they are known.
  void appear();
  // The platform's icon name for the rule's application, once the applications are known.
  std::optional<std::string> iconName(const AppRule& rule) const;

  bool rulesEnabled() const { return appState_.rulesEnabled(); }
  void setRulesEnabled(bool enabled) { appState_.setRulesEnabled(enabled); }

  const std::vector<AppRule>& rules() const { return rules_.rules(); }
  void setRuleEnabled(const Uuid& id, bool enabled);

  void requestDelete(const Uuid& id);
  // "Delete the rule for Notes?" while asked.
  std::optional<Confirmation> deleteConfirmation() const;
  void confirmDelete();
  void cancelDelete();

  // Opens a fresh sheet; it starts loading the applications.
  void openAddRuleSheet();
  // The sheet while it is open; a change of the sheet raises `changed`.
  AddRuleSheetModel* addRuleSheet();

  Signal<> changed;

 private:
  std::optional<AppRule> rule(const Uuid& id) const;

  AppState& appState_;
  RuleManager& rules_;
  InstalledAppsCache& installedApps_;
  std::optional<Uuid> pendingDelete_;
  std::unique_ptr<AddRuleSheetModel> sheet_;
  Signal<>::Connection rulesObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
