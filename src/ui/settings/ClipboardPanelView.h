// The Clipboard panel: the history switch, the popup's shortcut, the history size, the pinned
// entries, the paste keystrokes chosen per application, the applications whose copies are not
// recorded, and clearing the history.
#pragma once

#include <functional>
#include <string_view>

#include "core/settings/ClipboardPanelModel.h"
#include "ui/settings/SettingsPage.h"

class QComboBox;

namespace dovrik::ui {

class ClipboardPanelView : public SettingsPage {
 public:
  ClipboardPanelView(ClipboardPanelModel& model, Context context, QWidget* parent = nullptr);

 protected:
  void build() override;

 private:
  QComboBox* chordPicker(std::string_view name, PasteChord chosen,
                         std::function<void(PasteChord)> choose);
  void addPasteKeys(PasteKeysSettingsModel& keys);
  void addIgnoredApps(IgnoredAppsSettingsModel& ignored);

  ClipboardPanelModel& model_;
};

}  // namespace dovrik::ui
