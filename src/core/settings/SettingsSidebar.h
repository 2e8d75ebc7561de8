// The settings window's sidebar: which panel is shown, and the short fade between panels.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

enum class SidebarItem { general, shortcuts, snapping, clipboard, workspaces, rules, dragZones };

// The title shown in the sidebar.
std::string_view rawValue(SidebarItem item);

class SettingsSidebar {
 public:
  static constexpr std::array<SidebarItem, 7> items = {
      SidebarItem::general,   SidebarItem::shortcuts,  SidebarItem::snapping,
      SidebarItem::clipboard, SidebarItem::workspaces, SidebarItem::rules,
      SidebarItem::dragZones};
  static constexpr std::string_view productName = "Dovrik";
  static constexpr std::string_view subtitle = "Settings";
  // The content fades out over this time (ease-out), the panel changes, and it fades back in.
  static constexpr double fadeDuration = 0.1;

  explicit SettingsSidebar(Scheduler& scheduler);
  SettingsSidebar(const SettingsSidebar&) = delete;
  SettingsSidebar& operator=(const SettingsSidebar&) = delete;
  ~SettingsSidebar();

  SidebarItem selection() const { return selection_; }
  // The opacity the content is animating towards.
  double contentOpacity() const { return contentOpacity_; }

  // Choosing the panel already shown does nothing. During a fade the last choice wins, and
  // choosing the panel still shown calls the pending switch off.
  void navigate(SidebarItem to);
  // Shows `item` at once, without a fade: the window is being opened on it.
  void select(SidebarItem item);

  Signal<> changed;

 private:
  void cancelPendingSwitch();

  Scheduler& scheduler_;
  SidebarItem selection_ = SidebarItem::general;
  double contentOpacity_ = 1.0;
  std::optional<TaskId> pendingSwitch_;
  Lifetime lifetime_;
};

}  // namespace dovrik
