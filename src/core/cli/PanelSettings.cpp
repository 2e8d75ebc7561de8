// Settings of the panels that the command line can change.
#include "core/cli/PanelSettings.h"

#include <charconv>

#include "core/model/AppState.h"
#include "core/settings/SnappingPanelModel.h"

namespace dovrik::cli {
namespace {

std::optional<std::string> checkSwitch(const std::string& value) {
  if (value == "on" || value == "off")
    return std::nullopt;
  return "\"" + value + "\" is neither on nor off.";
}

std::string switchText(bool on) {
  return on ? "on" : "off";
}

std::optional<long long> wholeNumber(const std::string& text) {
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return number;
}

std::optional<std::string> checkGap(const std::string& value) {
  const SettingSlider& slider = SnappingPanelModel::gapSlider;
  const std::optional<long long> number = wholeNumber(value);
  if (!number || *number < slider.minimum || *number > slider.maximum) {
    return "the gap is a whole number of pixels from " + slider.valueText(slider.minimum) + " to " +
           slider.valueText(slider.maximum) + ", not \"" + value + "\".";
  }
  return std::nullopt;
}

}  // namespace

const std::vector<PanelSetting>& panelSettings() {
  static const std::vector<PanelSetting> settings = {
      {
          .panel = SidebarItem::snapping,
          .name = "animations",
          .values = "on|off",
          .summary = std::string(SnappingPanelModel::animateTitle),
          .check = checkSwitch,
          .set = [](AppState& state,
                    const std::string& value) { state.setAnimationsEnabled(value == "on"); },
          .value = [](const AppState& state) { return switchText(state.animationsEnabled()); },
      },
      {
          .panel = SidebarItem::snapping,
          .name = "cycle-sizes",
          .values = "on|off",
          .summary = std::string(SnappingPanelModel::cycleSizesTitle),
          .check = checkSwitch,
          .set = [](AppState& state,
                    const std::string& value) { state.setCyclesSnapSizes(value == "on"); },
          .value = [](const AppState& state) { return switchText(state.cyclesSnapSizes()); },
      },
      {
          .panel = SidebarItem::snapping,
          .name = "gap",
          .values = "0-24",
          .summary = std::string(SnappingPanelModel::gapSlider.label) + ", in pixels",
          .check = checkGap,
          .set = [](AppState& state,
                    const std::string& value) { state.setSnapGap(*wholeNumber(value)); },
          .value = [](const AppState& state) { return std::to_string(state.snapGap()); },
      },
  };
  return settings;
}

const PanelSetting* findPanelSetting(SidebarItem panel, std::string_view name) {
  for (const PanelSetting& setting : panelSettings()) {
    if (setting.panel == panel && setting.name == name)
      return &setting;
  }
  return nullptr;
}

std::string panelSettingsHelp() {
  std::string help;
  for (const PanelSetting& setting : panelSettings()) {
    const std::string usage =
        std::string(rawValue(setting.panel)) + " " + setting.name + " " + setting.values;
    help += "  " + usage + std::string(usage.size() < 28 ? 28 - usage.size() : 1, ' ') +
            setting.summary + "\n";
  }
  return help;
}

}  // namespace dovrik::cli
