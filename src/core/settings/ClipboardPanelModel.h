// The Clipboard panel: the history switch, the popup's shortcut, the history size, the pinned
// entries, the paste keystrokes chosen per application, the applications whose copies are not
// recorded, the file shelf's rows, and clearing the history behind a confirmation.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/hotkeys/ShortcutConflicts.h"
#include "core/model/AppState.h"
#include "core/platform/Locale.h"
#include "core/platform/RunningApps.h"
#include "core/settings/ClipboardShortcutRow.h"
#include "core/settings/ConfirmationRequest.h"
#include "core/settings/IgnoredAppsSettingsModel.h"
#include "core/settings/OwnHotkeys.h"
#include "core/settings/PasteKeysSettingsModel.h"
#include "core/settings/SettingSlider.h"
#include "core/settings/ShelfSettingsModel.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardPanelModel {
 public:
  static constexpr std::string_view historySection = "History";
  static constexpr std::string_view historySwitchSubtitle =
      "Automatically track copied text in the background";
  static constexpr std::string_view shortcutTitle = "Keyboard Shortcut";
  static constexpr std::string_view shortcutSubtitle = "Show clipboard history popup";
  static constexpr std::string_view storedTitle = "Items stored";
  static constexpr std::string_view pinnedSection = "Pinned Items";
  static constexpr std::string_view storageSection = "Storage";
  static constexpr std::string_view clearTitle = "Clear History";
  static constexpr std::string_view clearHelp = "Remove all unpinned clipboard items";
  static constexpr SettingSlider sizeSlider{"", 5, 50, 5, "", 0};

  struct PinnedRow {
    Uuid id;
    // The entry's text, shown on one truncated line; "Image" for an image.
    std::string text;
  };

  ClipboardPanelModel(ShortcutRecorder::Ports recorderPorts, RunningApps& runningApps,
                      const Locale& locale, AppState& appState, ShortcutConflicts& conflicts,
                      ClipboardManager& manager, FileShelfManager& shelf, ClipboardShortcut& hotkey,
                      OwnHotkeys& ownHotkeys, InstalledAppsCache& installedApps);
  ClipboardPanelModel(const ClipboardPanelModel&) = delete;
  ClipboardPanelModel& operator=(const ClipboardPanelModel&) = delete;
  ~ClipboardPanelModel();

  ClipboardShortcutRow& shortcutRow() { return shortcutRow_; }
  ShelfSettingsModel& shelf() { return shelf_; }
  PasteKeysSettingsModel& pasteKeys() { return pasteKeys_; }
  IgnoredAppsSettingsModel& ignoredApps() { return ignoredApps_; }
  // Shown under the shortcut row.
  const std::optional<std::string>& conflictNotice() const { return conflictNotice_; }

  // "Store up to 25 items".
  std::string sizeTitle() const;
  double size() const { return static_cast<double>(appState_.clipboardHistorySize()); }
  // Stores the slider's stop; nothing is removed while the slider is held.
  void setSize(double value);
  // The slider was let go: the history is cut down to the new size.
  void releaseSizeSlider() { manager_.enforceLimits(); }
  // "20 unpinned · 2 pinned" and "20 / 25".
  std::string storedCounts() const;
  std::string storedAgainstSize() const;

  std::vector<PinnedRow> pinnedRows() const;
  void unpin(const Uuid& id) { manager_.togglePin(id); }

  void requestClear();
  // The confirmation while it is asked.
  std::optional<Confirmation> clearConfirmation() const { return clear_.shown(); }
  void confirmClear();
  void cancelClear();

  Signal<> changed;

 private:
  AppState& appState_;
  ShortcutConflicts& conflicts_;
  ClipboardManager& manager_;
  ShelfSettingsModel shelf_;
  PasteKeysSettingsModel pasteKeys_;
  IgnoredAppsSettingsModel ignoredApps_;
  std::optional<std::string> conflictNotice_;
  ClipboardShortcutRow shortcutRow_;
  ConfirmationRequest clear_{{"Clear clipboard history?",
                              "This will remove all unpinned items. Pinned items are kept.",
                              "Clear History"}};
  Signal<>::Connection itemsObserver_ = 0;
  Signal<>::Connection shelfObserver_ = 0;
  Signal<>::Connection pasteKeysObserver_ = 0;
  Signal<>::Connection ignoredAppsObserver_ = 0;
};

}  // namespace dovrik
