// The clipboard popup's state and rules.
#include "core/clipboard/ClipboardPopupModel.h"

#include <algorithm>
#include <utility>

#include "core/clipboard/ClipboardSearch.h"
#include "core/clipboard/ClipboardText.h"

namespace dovrik {

ClipboardPopupModel::ClipboardPopupModel(Ports ports, ClipboardManager& manager,
                                         FileShelfManager& shelf, const AppState& appState)
    : ports_(ports),
      manager_(manager),
      shelf_(shelf),
      appState_(appState),
      itemsConnection_(manager.itemsChanged.connect([this] { changed.emit(); })),
      shelfConnection_(shelf.itemsChanged.connect([this] { changed.emit(); })) {}

ClipboardPopupModel::~ClipboardPopupModel() {
  manager_.itemsChanged.disconnect(itemsConnection_);
  shelf_.itemsChanged.disconnect(shelfConnection_);
  if (highlightEnd_)
    ports_.scheduler.cancel(*highlightEnd_);
}

void ClipboardPopupModel::reset() {
  activeTab_ = ClipboardTab::clipboard;
  activeFilter_ = ClipboardFilter::all;
  searchText_.clear();
  isExpanded_ = false;
  selectedIndex_ = 0;
  copiedId_.reset();
  stack_.clear();
  isDroppingFiles_ = false;
  newlyAddedFileId_.reset();
  search_.prepare(manager_.items());
  changed.emit();
  shelf_.refreshReachability();
}

void ClipboardPopupModel::selectTab(ClipboardTab tab) {
  if (tab == activeTab_)
    return;
  activeTab_ = tab;
  changed.emit();
  tabChanged.emit(tab == ClipboardTab::fileShelf);
}

void ClipboardPopupModel::setFilter(ClipboardFilter filter) {
  if (filter == activeFilter_)
    return;
  activeFilter_ = filter;
  selectedIndex_ = 0;
  changed.emit();
}

void ClipboardPopupModel::setSearchText(std::string text) {
  if (text == searchText_)
    return;
  searchText_ = std::move(text);
  selectedIndex_ = 0;
  changed.emit();
}

void ClipboardPopupModel::toggleExpanded() {
  isExpanded_ = !isExpanded_;
  changed.emit();
  expandToggled.emit(isExpanded_);
}

std::string ClipboardPopupModel::expandLabel() const {
  return isExpanded_ ? "Less" : "More";
}

std::vector<ClipboardItem> ClipboardPopupModel::filteredItems() const {
  const std::vector<ClipboardItem>& items = manager_.items();
  std::vector<ClipboardItem> rows;
  for (const std::size_t index : search_.rank(items, searchText_)) {
    if (keeps(activeFilter_, items[index].kind))
      rows.push_back(items[index]);
  }
  return rows;
}

std::string ClipboardPopupModel::emptyText() const {
  if (searchText_.empty())
    return "Nothing copied yet";
  return "No results for \"" + searchText_ + "\"";
}

void ClipboardPopupModel::moveDown() {
  if (activeTab_ == ClipboardTab::clipboard && selectedIndex_ < rowCount() - 1) {
    select(selectedIndex_ + 1);
    scrollToRow.emit(selectedIndex_);
  }
}

void ClipboardPopupModel::moveUp() {
  if (activeTab_ == ClipboardTab::clipboard && selectedIndex_ > 0) {
    select(selectedIndex_ - 1);
    scrollToRow.emit(selectedIndex_);
  }
}

void ClipboardPopupModel::selectCurrent(PasteForm form) {
  if (activeTab_ != ClipboardTab::clipboard)
    return;
  if (hasStack())
    return pasteStack(form);
  if (const std::optional<ClipboardItem> item = selectedItem())
    paste(*item, form);
}

void ClipboardPopupModel::hoverRow(int index) {
  if (index != selectedIndex_)
    select(index);
}

void ClipboardPopupModel::toggleStacked() {
  if (activeTab_ != ClipboardTab::clipboard)
    return;
  const std::optional<ClipboardItem> item = selectedItem();
  if (!item)
    return;
  if (std::erase(stack_, item->id) == 0)
    stack_.push_back(item->id);
  changed.emit();
}

std::optional<int> ClipboardPopupModel::stackNumber(const ClipboardItem& item) const {
  const auto found = std::find(stack_.begin(), stack_.end(), item.id);
  if (found == stack_.end())
    return std::nullopt;
  return static_cast<int>(found - stack_.begin()) + 1;
}

void ClipboardPopupModel::clearStack() {
  if (stack_.empty())
    return;
  stack_.clear();
  changed.emit();
}

// Stacked entries keep their place in the stack whatever the search and the filter show now.
void ClipboardPopupModel::pasteStack(PasteForm form) {
  if (copiedId_)
    return;
  std::vector<ClipboardItem> items;
  for (const Uuid& id : stack_) {
    const auto found = std::find_if(manager_.items().begin(), manager_.items().end(),
                                    [&](const ClipboardItem& item) { return item.id == id; });
    if (found != manager_.items().end())
      items.push_back(*found);
  }
  if (items.empty())
    return;
  copiedId_ = items.front().id;
  changed.emit();
  ports_.scheduler.after(pasteDelay, lifetime_.guard([this, items = std::move(items), form] {
    manager_.pasteInOrder(items, form);
  }));
}

void ClipboardPopupModel::paste(const ClipboardItem& item, PasteForm form) {
  if (copiedId_)
    return;
  copiedId_ = item.id;
  changed.emit();
  ports_.scheduler.after(pasteDelay,
                         lifetime_.guard([this, item, form] { manager_.paste(item, form); }));
}

void ClipboardPopupModel::togglePin(const ClipboardItem& item) {
  manager_.togglePin(item.id);
}

void ClipboardPopupModel::remove(const ClipboardItem& item) {
  std::erase(stack_, item.id);
  std::vector<ClipboardItem> kept = manager_.items();
  std::erase_if(kept, [&](const ClipboardItem& entry) { return entry.id == item.id; });
  manager_.setItems(std::move(kept));
}

std::string ClipboardPopupModel::age(const ClipboardItem& item) const {
  return item.relativeTime(ports_.clock.wallTimeSince2001(), ports_.locale);
}

std::string ClipboardPopupModel::pinActionLabel(const ClipboardItem& item) {
  return item.isPinned ? "Unpin" : "Pin";
}

std::string ClipboardPopupModel::rowTitle(const ClipboardItem& item) {
  if (item.kind == ClipboardKind::image)
    return "Image";
  // A row shows one elided line of a few hundred characters at most: a text of megabytes is
  // cut well beyond that, so that drawing a row never goes through all of it.
  constexpr std::size_t shownBytes = 4096;
  return trimmedText(*item.text, shownBytes);
}

std::string ClipboardPopupModel::shelfEmptyText() const {
  return isDroppingFiles_ ? "Drop to add" : "Drag files here to save them";
}

std::string ClipboardPopupModel::inlineShelfHint() const {
  if (isDroppingFiles_)
    return "Drop to add";
  return shelf_.items().empty() ? "Drag files here" : "";
}

void ClipboardPopupModel::setDroppingFiles(bool dropping) {
  if (dropping == isDroppingFiles_)
    return;
  isDroppingFiles_ = dropping;
  changed.emit();
}

void ClipboardPopupModel::dropFiles(const std::vector<std::string>& urls) {
  isDroppingFiles_ = false;
  std::vector<std::string> added;
  std::optional<Uuid> last;
  for (const std::string& url : urls) {
    // A source may name a file twice; adding it again would only give it a new id.
    if (std::find(added.begin(), added.end(), url) != added.end())
      continue;
    added.push_back(url);
    if (std::optional<Uuid> id = shelf_.addFile(url))
      last = id;
  }
  if (!last) {
    changed.emit();
    return;
  }
  newlyAddedFileId_ = last;
  if (highlightEnd_)
    ports_.scheduler.cancel(*highlightEnd_);
  highlightEnd_ = ports_.scheduler.after(newFileHighlight, [this] {
    highlightEnd_.reset();
    newlyAddedFileId_.reset();
    changed.emit();
  });
  changed.emit();
}

void ClipboardPopupModel::pasteFile(const FileShelfItem& item) {
  shelf_.pasteFile(item);
}

void ClipboardPopupModel::openFile(const FileShelfItem& item) {
  ports_.shell.openURL(item.url);
}

void ClipboardPopupModel::revealFile(const FileShelfItem& item) {
  ports_.shell.revealInFileManager(item.url);
}

void ClipboardPopupModel::toggleFilePin(const FileShelfItem& item) {
  shelf_.togglePin(item.id);
}

void ClipboardPopupModel::removeFile(const FileShelfItem& item) {
  shelf_.remove(item.id);
}

std::string ClipboardPopupModel::shelfRowTitle(const FileShelfItem& item) {
  if (!item.filename.empty())
    return item.filename;
  return item.isDirectory ? "Folder" : "File";
}

std::string ClipboardPopupModel::shelfAge(const FileShelfItem& item) const {
  return item.relativeTime(ports_.clock.wallTimeSince2001(), ports_.locale);
}

std::string ClipboardPopupModel::pinActionLabel(const FileShelfItem& item) {
  return item.isPinned ? "Unpin" : "Pin";
}

std::optional<ClipboardItem> ClipboardPopupModel::selectedItem() const {
  std::vector<ClipboardItem> rows = filteredItems();
  if (selectedIndex_ < 0 || selectedIndex_ >= static_cast<int>(rows.size()))
    return std::nullopt;
  return std::move(rows[static_cast<std::size_t>(selectedIndex_)]);
}

int ClipboardPopupModel::rowCount() const {
  return static_cast<int>(filteredItems().size());
}

void ClipboardPopupModel::select(int index) {
  selectedIndex_ = index;
  changed.emit();
}

}  // namespace dovrik
