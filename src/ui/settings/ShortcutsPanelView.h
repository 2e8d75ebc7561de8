// The Shortcuts panel: the refusal warnings, a badge per snap position and the clipboard
// popup's shortcut.
#pragma once

#include "core/settings/ShortcutsPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class ShortcutsPanelView : public SettingsPage {
 public:
  ShortcutsPanelView(ShortcutsPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  ShortcutsPanelModel& model_;
};

}  // namespace dovrik::ui
