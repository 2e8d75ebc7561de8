// The Clipboard panel: the history switch, the popup's shortcut, the history size, the pinned
// entries and clearing the history.
#pragma once

#include "core/settings/ClipboardPanelModel.h"
#include "ui/settings/SettingsPage.h"

namespace dovrik::ui {

class ClipboardPanelView : public SettingsPage {
 public:
  ClipboardPanelView(ClipboardPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  ClipboardPanelModel& model_;
};

}  // namespace dovrik::ui
