// The sheet that makes a new app rule: an installed application and a position are picked, and
// an application gets one rule at most.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/model/SnapPosition.h"
#include "core/platform/InstalledApps.h"
#include "core/rules/InstalledAppsCache.h"
#include "core/rules/RuleManager.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class AddRuleSheetModel {
 public:
  static constexpr std::string_view title = "Add App Rule";
  static constexpr std::string_view closeSymbol = "xmark.circle.fill";
  static constexpr std::string_view applicationCaption = "Application";
  // The picker's first entry, which selects no application.
  static constexpr std::string_view noApplicationEntry = "Select an app…";
  static constexpr std::string_view positionCaption = "Snap Position";
  static constexpr std::string_view warningSymbol = "exclamationmark.triangle.fill";
  static constexpr std::string_view existingRuleWarning =
      "This app already has a rule. Delete it first to change the position.";
  static constexpr std::string_view cancelTitle = "Cancel";
  static constexpr std::string_view addTitle = "Add Rule";

  AddRuleSheetModel(RuleManager& rules, InstalledAppsCache& installedApps);

  // The sheet is on screen: loads the applications, at once when a scan of this run found some.
  void appear();

  bool isPresented() const { return isPresented_; }
  // While true the application picker gives way to a progress indicator.
  bool isLoading() const { return isLoading_; }
  const std::vector<AppInfo>& apps() const { return apps_; }
  const std::optional<AppInfo>& selectedApp() const { return selectedApp_; }
  SnapPosition selectedPosition() const { return selectedPosition_; }

  void selectApp(std::optional<AppInfo> app);
  void selectPosition(SnapPosition position);

  // The selected application has a rule, enabled or not: the warning shows and "Add Rule" is
  // disabled.
  bool selectionHasRule() const;
  // Makes an enabled rule for the selection and closes the sheet; nothing without a selection
  // or when the application has a rule.
  void addRule();
  void close();

  Signal<> changed;

 private:
  RuleManager& rules_;
  InstalledAppsCache& installedApps_;
  bool isPresented_ = true;
  bool isLoading_ = true;
  std::vector<AppInfo> apps_;
  std::optional<AppInfo> selectedApp_;
  SnapPosition selectedPosition_ = SnapPosition::leftHalf;
  Lifetime lifetime_;
};

}  // namespace dovrik
