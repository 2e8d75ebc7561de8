// The clipboard popup's behaviour without its drawing: tabs, kind filter, search, the visible
// rows, one selection shared by keyboard and pointer, expansion, the row actions, the file
// shelf's rows and drops, and the texts the view shows. Views draw from it and subscribe to its
// signals.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/clipboard/ClipboardFilter.h"
#include "core/clipboard/ClipboardItem.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardSearch.h"
#include "core/clipboard/ClipboardTab.h"
#include "core/clipboard/PasteForm.h"
#include "core/model/AppState.h"
#include "core/platform/Clock.h"
#include "core/platform/Locale.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/shelf/FileShelfManager.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardPopupModel {
 public:
  // Time between marking an entry "Copied" and pasting it, so the mark can be seen.
  static constexpr double pasteDelay = 0.3;
  // How long a file just dropped stays highlighted.
  static constexpr double newFileHighlight = 0.6;

  // The ports the popup's rows and actions use.
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    Shell& shell;
    const PlatformTexts& texts;
    const Locale& locale;
  };

  ClipboardPopupModel(Ports ports, ClipboardManager& manager, FileShelfManager& shelf,
                      const AppState& appState);
  ClipboardPopupModel(const ClipboardPopupModel&) = delete;
  ClipboardPopupModel& operator=(const ClipboardPopupModel&) = delete;
  ~ClipboardPopupModel();

  // The state of every opening: clipboard tab, all kinds, collapsed, first row selected, empty
  // search, nothing marked as copied, no drop in progress; and a fresh look at which shelf
  // files still exist.
  void reset();

  ClipboardTab activeTab() const { return activeTab_; }
  // Switching to the other tab announces it on `tabChanged`; the active tab does nothing.
  void selectTab(ClipboardTab tab);

  ClipboardFilter activeFilter() const { return activeFilter_; }
  // Selects the first row when the filter changes.
  void setFilter(ClipboardFilter filter);

  const std::string& searchText() const { return searchText_; }
  // Selects the first row when the text changes.
  void setSearchText(std::string text);

  bool isExpanded() const { return isExpanded_; }
  // Announces the new state on `expandToggled`.
  void toggleExpanded();
  // "More" while collapsed, "Less" while expanded.
  std::string expandLabel() const;

  // The manager's entries that match the search and the filter, best matches first, then in
  // stored order.
  std::vector<ClipboardItem> filteredItems() const;
  // Shown when `filteredItems()` is empty.
  std::string emptyText() const;

  // May lie beyond the end of the rows after one is deleted; then Return does nothing.
  int selectedIndex() const { return selectedIndex_; }
  bool isSelected(int index) const { return index == selectedIndex_; }
  // Keyboard moves stop at the ends of the rows and only act on the clipboard tab.
  void moveDown();
  void moveUp();
  // Pastes the stacked entries in order while there are any, else the selected row, if there
  // is one; in `form` either way.
  void selectCurrent(PasteForm form = PasteForm::asCopied);
  // The pointer entered the row at `index`.
  void hoverRow(int index);

  // --- Paste stack ---
  // Adds the selected row's entry to the end of the stack, or takes it out when it is in it.
  void toggleStacked();
  // The entry's place in the stack, from 1, for its row's badge; nothing when not stacked.
  std::optional<int> stackNumber(const ClipboardItem& item) const;
  bool hasStack() const { return !stack_.empty(); }
  void clearStack();

  std::optional<Uuid> copiedId() const { return copiedId_; }
  bool isCopied(const ClipboardItem& item) const { return copiedId_ == item.id; }
  // Marks the entry "Copied" and pastes it in `form` shortly after; ignored while a paste is
  // in progress.
  void paste(const ClipboardItem& item, PasteForm form = PasteForm::asCopied);
  void togglePin(const ClipboardItem& item);
  // Removes every entry with the item's id and saves; the selection stays where it was.
  void remove(const ClipboardItem& item);
  // "Pin" or "Unpin", for the row's menu.
  static std::string pinActionLabel(const ClipboardItem& item);
  // The row's text: the entry's trimmed text, or "Image" for an image.
  static std::string rowTitle(const ClipboardItem& item);

  // --- File shelf ---
  const std::vector<FileShelfItem>& shelfItems() const { return shelf_.items(); }
  // The shelf section under the clipboard list shows while the shelf is switched on.
  bool showsInlineShelf() const { return appState_.fileShelfEnabled(); }
  // The shelf tab's text when it has no files: "Drop to add" while files hover over the popup.
  std::string shelfEmptyText() const;
  // The inline section's text, shown while it has no files or files hover over the popup.
  std::string inlineShelfHint() const;
  bool isDroppingFiles() const { return isDroppingFiles_; }
  // A drag carrying files entered (true) or left (false) the popup.
  void setDroppingFiles(bool dropping);
  // Adds each file URL once, in order, and highlights the last one added for
  // `newFileHighlight` seconds.
  void dropFiles(const std::vector<std::string>& urls);
  std::optional<Uuid> newlyAddedFileId() const { return newlyAddedFileId_; }
  bool isNewlyAdded(const FileShelfItem& item) const { return newlyAddedFileId_ == item.id; }
  void pasteFile(const FileShelfItem& item);
  void openFile(const FileShelfItem& item);
  void revealFile(const FileShelfItem& item);
  void toggleFilePin(const FileShelfItem& item);
  void removeFile(const FileShelfItem& item);
  // The row's text: the file's name, or "Folder" / "File" when it has none.
  static std::string shelfRowTitle(const FileShelfItem& item);
  static std::string pinActionLabel(const FileShelfItem& item);
  // The menu item that shows a file in the file manager, in this platform's words.
  const std::string& revealActionLabel() const { return ports_.texts.revealInFileManagerTitle; }
  // The row's age text, "Just now" to a date in the user's month names.
  std::string shelfAge(const FileShelfItem& item) const;
  std::string age(const ClipboardItem& item) const;

  // Any state or row change.
  Signal<> changed;
  // True when the file shelf tab became active.
  Signal<bool> tabChanged;
  // The new expanded state.
  Signal<bool> expandToggled;
  // Row index to centre in the list after a keyboard move.
  Signal<int> scrollToRow;

 private:
  int rowCount() const;
  // The selected row's entry; nothing when the selection lies beyond the rows.
  std::optional<ClipboardItem> selectedItem() const;
  void select(int index);
  void pasteStack(PasteForm form);

  Ports ports_;
  ClipboardManager& manager_;
  FileShelfManager& shelf_;
  const AppState& appState_;
  Signal<>::Connection itemsConnection_;
  Signal<>::Connection shelfConnection_;
  ClipboardTab activeTab_ = ClipboardTab::clipboard;
  ClipboardFilter activeFilter_ = ClipboardFilter::all;
  std::string searchText_;
  // Keeps each entry's folded text between keystrokes.
  mutable ClipboardSearch search_;
  bool isExpanded_ = false;
  int selectedIndex_ = 0;
  std::optional<Uuid> copiedId_;
  // Entries to paste one after another, by id, in the order they were added.
  std::vector<Uuid> stack_;
  bool isDroppingFiles_ = false;
  std::optional<Uuid> newlyAddedFileId_;
  std::optional<TaskId> highlightEnd_;
  Lifetime lifetime_;
};

}  // namespace dovrik
