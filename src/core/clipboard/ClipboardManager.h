// The clipboard history: records each new copy from the clipboard's change notices, keeps the
// list de-duplicated, pinned entries first and bounded, saves it shortly after each change,
// and writes a chosen entry back and pastes it into the focused application.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/clipboard/ClipboardItem.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/clipboard/ClipboardStore.h"
#include "core/clipboard/PasteForm.h"
#include "core/clipboard/PasteQueue.h"
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
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardManager {
 public:
  // The ports the history is watched, kept and pasted with.
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    DefaultsDomains& defaults;
    RunningApps& runningApps;
    Background& background;
    Pasteboard& pasteboard;
    KeySynth& keySynth;
    Files& files;
  };

  // Loads the history and takes the clipboard's change count, so what is on the clipboard at
  // start is not recorded. Does not start monitoring.
  ClipboardManager(Ports ports, AppState& appState, const AccessibilityTrust& trust,
                   ClipboardShortcut& shortcut);
  ClipboardManager(const ClipboardManager&) = delete;
  ClipboardManager& operator=(const ClipboardManager&) = delete;
  ~ClipboardManager();

  const std::vector<ClipboardItem>& items() const { return items_; }
  // For views that change the list themselves (deleting an entry); saves.
  void setItems(std::vector<ClipboardItem> items);
  bool isMonitoring() const { return changeObserver_.has_value(); }
  ChangeCount lastChangeCount() const { return lastChangeCount_; }

  // Monitoring and the popup hotkey follow the history switch; the history is kept.
  void applyEnabledState();
  void startMonitoring();
  void stopMonitoring();

  // `formats` are the other forms the text was copied with; those `keptFormats` leaves out are
  // dropped.
  void addItem(std::string_view text, std::vector<PasteboardRepresentation> formats = {});
  void addImageItem(Bytes png);
  void enforceLimits();
  void togglePin(const Uuid& id);
  void clearHistory();
  // Writes the entry to the clipboard in `form` as Dovrik's own write, and moves an unpinned
  // entry to the top of the unpinned part. An image entry has no text: it goes back as an image
  // in either form.
  void copy(const ClipboardItem& item, PasteForm form = PasteForm::asCopied);
  // Copies, hides the popup, and once no modifier key is held (or after about a second) posts
  // the paste keystroke of the focused application, if window control is allowed.
  void paste(const ClipboardItem& item, PasteForm form = PasteForm::asCopied);
  // Hides the popup and pastes the entries in this order in `form`, each with its own keystroke,
  // the next one once the application took the one before (or after `PasteQueue::takeTimeout`).
  void pasteInOrder(std::vector<ClipboardItem> items, PasteForm form = PasteForm::asCopied);

  // Schedules a save of the list as it is now, 0.4 s from now; a newer change replaces it.
  void saveToDisk();
  // Writes a pending save at once; for quitting.
  void flush();

  Signal<> itemsChanged;
  // The popup must go: a paste is about to reach the application under it, or the history
  // went off.
  Signal<> hidePopupRequested;

 private:
  void onChanged();
  void checkPasteboard();
  void readImage();
  void insert(ClipboardItem item);
  // Forgets the last image's hash when its entry is not among `kept`.
  void forgetRemovedImage(const std::vector<ClipboardItem>& kept);
  void setItemsAndSave(std::vector<ClipboardItem> items);
  std::size_t historySize() const;

  Ports ports_;
  AppState& appState_;
  ClipboardShortcut& shortcut_;
  PasteKeystroke pasteKeystroke_;
  PasteQueue pasteQueue_;
  // The form of the entries the queue writes.
  PasteForm queuedForm_ = PasteForm::asCopied;
  ClipboardStore store_;
  std::vector<ClipboardItem> items_;
  ChangeCount lastChangeCount_ = 0;
  std::size_t lastImageHash_ = 0;
  std::optional<Signal<ChangeCount>::Connection> changeObserver_;
  // Change notices arriving before the check runs are answered by that one check.
  bool checkQueued_ = false;
  // One image read at a time; changes meanwhile are checked when it ends.
  bool readingImage_ = false;
  bool recheckAfterImage_ = false;
  std::optional<TaskId> pendingSave_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  Lifetime lifetime_;
};

}  // namespace dovrik
