// The Clipboard panel's list of applications whose copies are not recorded: a row per
// application with its icon and a remove button, and a picker that adds a running or installed
// application.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/AppListModel.h"

namespace dovrik {

class IgnoredAppsSettingsModel : public AppListModel {
 public:
  static constexpr std::string_view section = "Ignored Applications";
  static constexpr std::string_view explanation =
      "Nothing copied in these apps is added to the history. Password managers that do not "
      "mark the passwords they copy as secret are listed from the start.";
  // The picker's first entry, which adds nothing.
  static constexpr std::string_view addEntry = "Add Application…";
  static constexpr std::string_view noIconSymbol = "app.fill";
  static constexpr std::string_view removeSymbol = "trash";

  struct Row {
    // The entry as stored, which the remove button names.
    std::string appId;
    std::string name;
    // The icon the installed application's desktop entry names.
    std::optional<std::string> icon;
  };

  // The installed applications, once loaded, give the rows their names and icons.
  using AppListModel::AppListModel;

  // By name.
  std::vector<Row> rows() const;
  void remove(const std::string& appId);
  // The applications not on the list yet.
  std::vector<AppCandidate> candidates() const;
  void add(const std::string& appId);
};

}  // namespace dovrik
