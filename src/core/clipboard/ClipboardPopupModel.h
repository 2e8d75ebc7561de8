// The clipboard popup's behaviour without its drawing: tabs, kind filter, search, the visible
// rows, one selection shared by keyboard and pointer, expansion, the row actions and the texts
// the view shows. Views draw from it and subscribe to its signals.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/clipboard/ClipboardFilter.h"
#include "core/clipboard/ClipboardItem.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardTab.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardPopupModel {
 public:
  // Time between marking an entry "Copied" and pasting it, so the mark can be seen.
  static constexpr double pasteDelay = 0.3;

  ClipboardPopupModel(Scheduler& scheduler, ClipboardManager& manager);
  ClipboardPopupModel(const ClipboardPopupModel&) = delete;
  ClipboardPopupModel& operator=(const ClipboardPopupModel&) = delete;
  ~ClipboardPopupModel();

  // The state of every opening: clipboard tab, all kinds, collapsed, first row selected, empty
  // search, nothing marked as copied.
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

  // The manager's entries that match the search and the filter, in stored order.
  std::vector<ClipboardItem> filteredItems() const;
  // Shown when `filteredItems()` is empty.
  std::string emptyText() const;

  // May lie beyond the end of the rows after one is deleted; then Return does nothing.
  int selectedIndex() const { return selectedIndex_; }
  bool isSelected(int index) const { return index == selectedIndex_; }
  // Keyboard moves stop at the ends of the rows and only act on the clipboard tab.
  void moveDown();
  void moveUp();
  // Pastes the selected row, if there is one.
  void selectCurrent();
  // The pointer entered the row at `index`.
  void hoverRow(int index);

  std::optional<Uuid> copiedId() const { return copiedId_; }
  bool isCopied(const ClipboardItem& item) const { return copiedId_ == item.id; }
  // Marks the entry "Copied" and pastes it shortly after; ignored while a paste is in progress.
  void paste(const ClipboardItem& item);
  void togglePin(const ClipboardItem& item);
  // Removes every entry with the item's id and saves; the selection stays where it was.
  void remove(const ClipboardItem& item);
  // "Pin" or "Unpin", for the row's menu.
  static std::string pinActionLabel(const ClipboardItem& item);
  // The row's text: the entry's trimmed text, or "Image" for an image.
  static std::string rowTitle(const ClipboardItem& item);

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
  void select(int index);

  Scheduler& scheduler_;
  ClipboardManager& manager_;
  Signal<>::Connection itemsConnection_;
  ClipboardTab activeTab_ = ClipboardTab::clipboard;
  ClipboardFilter activeFilter_ = ClipboardFilter::all;
  std::string searchText_;
  bool isExpanded_ = false;
  int selectedIndex_ = 0;
  std::optional<Uuid> copiedId_;
  Lifetime lifetime_;
};

}  // namespace dovrik
