// The settings command: which panel, and opening the window on it in the running Dovrik.
#include "core/cli/SettingsCommand.h"

#include <cctype>
#include <string>

#include "core/cli/PanelSettings.h"
#include "core/cli/RunningDovrik.h"

namespace dovrik::cli {
namespace {

// Lower case without spaces, so "App Rules", "app rules" and "apprules" are one name.
std::string folded(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c != ' ')
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string panelList() {
  std::string out;
  for (const SidebarItem item : SettingsSidebar::items) {
    if (!out.empty())
      out += ", ";
    out += rawValue(item);
  }
  return out;
}

std::optional<std::string> checkSettings(const Arguments& args) {
  if (args.size() > 3)
    return "usage: dovrik settings [PANEL [SETTING [VALUE]]]; quote a panel name that has a "
           "space.";
  if (!args.empty() && !panelNamed(args[0]))
    return "\"" + args[0] + "\" is no panel; the panels are " + panelList() + ".";
  if (args.size() < 2)
    return std::nullopt;
  const PanelSetting* setting = findPanelSetting(*panelNamed(args[0]), args[1]);
  if (!setting)
    return "\"" + args[1] + "\" is no setting of " + args[0] +
           " that the command line changes; quote a panel name that has a space, and see "
           "dovrik help settings.";
  if (args.size() == 3)
    return setting->check(args[2]);
  return std::nullopt;
}

CommandOutcome runSettings(RunningDovrik& app, const Arguments& args, const Caller&) {
  if (args.size() < 2) {
    app.openSettings(args.empty() ? std::nullopt : panelNamed(args[0]));
    return CommandOutcome::done();
  }
  const PanelSetting& setting = *findPanelSetting(*panelNamed(args[0]), args[1]);
  if (args.size() == 2)
    return CommandOutcome::done(setting.value(app.appState()) + "\n");
  setting.set(app.appState(), args[2]);
  return CommandOutcome::done();
}

}  // namespace

std::optional<SidebarItem> panelNamed(std::string_view name) {
  const std::string wanted = folded(name);
  for (const SidebarItem item : SettingsSidebar::items) {
    if (folded(rawValue(item)) == wanted)
      return item;
  }
  return std::nullopt;
}

Command settingsCommand() {
  return {
      .name = "settings",
      // VALUE is left to the details, so that the usage keeps its summaries' column.
      .synopsis = "[PANEL [SETTING]]",
      .summary = "Open the settings window, on PANEL if given; show or set a SETTING.",
      .details = "PANEL is one of the sidebar's sections, in any case: " + panelList() +
                 ".\nWithout it the window opens on the panel it last showed, General when it\n"
                 "is new. With the window open it is brought to the front.\n"
                 "`dovrik settings PANEL SETTING [VALUE]` leaves the window closed: it prints\n"
                 "the setting's value, or sets it to VALUE. The settings:\n" +
                 panelSettingsHelp(),
      .check = checkSettings,
      .run = runSettings,
  };
}

}  // namespace dovrik::cli
