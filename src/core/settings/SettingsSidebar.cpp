// The sidebar's selection and the fade that goes with a change of panel.
#include "core/settings/SettingsSidebar.h"

namespace dovrik {

std::string_view rawValue(SidebarItem item) {
  switch (item) {
    case SidebarItem::general:
      return "General";
    case SidebarItem::shortcuts:
      return "Shortcuts";
    case SidebarItem::snapping:
      return "Snapping";
    case SidebarItem::clipboard:
      return "Clipboard";
    case SidebarItem::workspaces:
      return "Workspaces";
    case SidebarItem::rules:
      return "App Rules";
    case SidebarItem::dragZones:
      return "Drag Zones";
  }
  return "";
}

SettingsSidebar::SettingsSidebar(Scheduler& scheduler) : scheduler_(scheduler) {}

SettingsSidebar::~SettingsSidebar() {
  cancelPendingSwitch();
}

void SettingsSidebar::navigate(SidebarItem to) {
  if (to == selection_) {
    // A switch still under way would otherwise land on a panel the user has just turned from.
    if (pendingSwitch_) {
      cancelPendingSwitch();
      contentOpacity_ = 1.0;
      changed.emit();
    }
    return;
  }
  cancelPendingSwitch();
  contentOpacity_ = 0.0;
  changed.emit();
  pendingSwitch_ = scheduler_.after(fadeDuration, lifetime_.guard([this, to] {
    pendingSwitch_.reset();
    selection_ = to;
    contentOpacity_ = 1.0;
    changed.emit();
  }));
}

void SettingsSidebar::select(SidebarItem item) {
  cancelPendingSwitch();
  selection_ = item;
  contentOpacity_ = 1.0;
  changed.emit();
}

void SettingsSidebar::cancelPendingSwitch() {
  if (pendingSwitch_)
    scheduler_.cancel(*pendingSwitch_);
  pendingSwitch_.reset();
}

}  // namespace dovrik
