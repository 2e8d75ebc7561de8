// The file shelf: references to files and folders dropped on the clipboard popup, kept pinned
// first and then newest first within limits taken from the settings, stored under one
// settings key, checked for reachability off the main thread, and pasted as files.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/paste/PasteKeystroke.h"
#include "core/platform/Background.h"
#include "core/platform/Clock.h"
#include "core/platform/Defaults.h"
#include "core/platform/Files.h"
#include "core/platform/KeySynth.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/platform/StoredList.h"
#include "core/shelf/FileShelfItem.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class FileShelfManager {
 public:
  static constexpr std::string_view storageKey = "qlm.fileShelf";
  // Where a stored shelf that could not be read is kept before the first save replaces it.
  static constexpr std::string_view unreadableKey = "qlm.fileShelf.unreadable";

  // The ports the shelf is kept, opened and pasted with.
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    DefaultsDomains& defaults;
    RunningApps& runningApps;
    Shell& shell;
    Background& background;
    Pasteboard& pasteboard;
    KeySynth& keySynth;
    Files& files;
  };

  // Loads the shelf and starts a reachability check.
  FileShelfManager(Ports ports, AppState& appState, const AccessibilityTrust& trust);
  FileShelfManager(const FileShelfManager&) = delete;
  FileShelfManager& operator=(const FileShelfManager&) = delete;

  const std::vector<FileShelfItem>& items() const { return items_; }
  // Unpinned entries kept: the `fileShelfSize` setting, at least 3.
  std::size_t unpinnedLimit() const;
  // Pinned entries kept: twice the unpinned limit.
  std::size_t pinnedLimit() const { return 2 * unpinnedLimit(); }

  // Adds a dropped file or folder at the top of the unpinned entries, replacing an entry for
  // the same standardised URL; a path that does not exist is added marked missing. Answers the
  // new entry's id, or nothing for a URL that is not a file URL.
  std::optional<Uuid> addFile(std::string_view url);
  // Puts the file on the clipboard, hides the popup and pastes it into the focused
  // application. A file that is gone rings the bell and is marked missing instead, and the
  // clipboard is left alone; answers whether the file was there.
  bool pasteFile(const FileShelfItem& item);
  // Pins or unpins the entry. Pinning is refused, answering false, while the pinned entries
  // already fill their limit: the limit would otherwise drop the entry just pinned.
  bool togglePin(Uuid id);
  // Takes the entry off the shelf; the file itself is not touched. Ids are taken by value: a
  // caller may name an entry by the id inside the list being changed.
  void remove(Uuid id);
  // Removes every unpinned entry.
  void clearShelf();
  // Applies the limits of the current setting, and saves if that dropped entries.
  void enforceLimits();
  // Checks off the main thread that every file still exists, and marks each entry by the
  // answer, unless the shelf gained or lost entries meanwhile.
  void refreshReachability();

  Signal<> itemsChanged;
  // The popup must go: a paste is about to reach the application under it.
  Signal<> hidePopupRequested;

 private:
  void load();
  void save();
  bool applyLimits();
  void commit();
  void markUnreachable(Uuid id);
  void applyReachability(const std::vector<Uuid>& ids, const std::vector<bool>& reachable);

  Ports ports_;
  AppState& appState_;
  StoredList store_;
  PasteKeystroke pasteKeystroke_;
  std::vector<FileShelfItem> items_;
  Lifetime lifetime_;
};

}  // namespace dovrik
