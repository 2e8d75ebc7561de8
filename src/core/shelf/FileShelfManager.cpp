// The file shelf: list rules, storage, reachability and pasting files.
#include "core/shelf/FileShelfManager.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/shelf/FileURL.h"

namespace dovrik {
namespace {

// The URL an entry is compared by: what the same file dropped again would get.
std::string standardisedURL(const std::string& url) {
  const auto path = pathOfFileURL(url);
  return path ? fileURLOfPath(*path, false) : url;
}

// What a file manager puts on the clipboard for a copied file: the URL list for most
// applications, GNOME's own form for the file managers that paste files, and the path for
// text fields.
std::vector<PasteboardRepresentation> fileRepresentations(const FileShelfItem& item) {
  return {
      {"text/uri-list", item.url + "\r\n"},
      {"x-special/gnome-copied-files", "copy\n" + item.url},
      {std::string(plainTextType), item.path()},
  };
}

}  // namespace

FileShelfManager::FileShelfManager(Ports ports, AppState& appState, const AccessibilityTrust& trust)
    : ports_(ports),
      appState_(appState),
      store_(ports.defaults.application(), storageKey, unreadableKey),
      pasteKeystroke_(ports.scheduler, ports.runningApps, ports.keySynth, appState, trust) {
  load();
  refreshReachability();
}

std::size_t FileShelfManager::unpinnedLimit() const {
  return static_cast<std::size_t>(std::max<std::int64_t>(3, appState_.fileShelfSize()));
}

std::optional<Uuid> FileShelfManager::addFile(std::string_view url) {
  const auto dropped = pathOfFileURL(url);
  if (!dropped)
    return std::nullopt;
  const std::string path = standardisedPath(*dropped);
  const std::string bare = withoutTrailingSeparator(path);
  const bool isDirectory = ports_.files.isDirectory(bare);
  std::string standard = fileURLOfPath(path, isDirectory);
  std::erase_if(items_,
                [&](const FileShelfItem& item) { return standardisedURL(item.url) == standard; });
  FileShelfItem added{.id = Uuid::random(),
                      .url = std::move(standard),
                      .filename = lastPathComponent(path),
                      .timestamp = ports_.clock.wallTimeSince2001(),
                      .isPinned = false,
                      .isDirectory = isDirectory,
                      .isReachable = ports_.files.exists(bare)};
  const auto firstUnpinned = std::find_if(items_.begin(), items_.end(),
                                          [](const FileShelfItem& item) { return !item.isPinned; });
  const Uuid id = added.id;
  items_.insert(firstUnpinned, std::move(added));
  applyLimits();
  commit();
  return id;
}

bool FileShelfManager::pasteFile(const FileShelfItem& item) {
  const std::string path = item.path();
  if (path.empty() || !ports_.files.exists(path)) {
    ports_.shell.beep();
    markUnreachable(item.id);
    return false;
  }
  ports_.pasteboard.writeRepresentations(fileRepresentations(item),
                                         pasteKeystroke_.focusedApplicationPastesPrimary());
  hidePopupRequested.emit();
  pasteKeystroke_.send(pasteKeystroke_.chordForFocusedApplication());
  return true;
}

bool FileShelfManager::togglePin(Uuid id) {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const FileShelfItem& item) { return item.id == id; });
  if (found == items_.end())
    return true;
  const auto pinned = std::count_if(items_.begin(), items_.end(),
                                    [](const FileShelfItem& item) { return item.isPinned; });
  if (!found->isPinned && static_cast<std::size_t>(pinned) >= pinnedLimit())
    return false;
  found->isPinned = !found->isPinned;
  applyLimits();
  commit();
  return true;
}

void FileShelfManager::remove(Uuid id) {
  std::erase_if(items_, [&](const FileShelfItem& item) { return item.id == id; });
  commit();
}

void FileShelfManager::clearShelf() {
  std::erase_if(items_, [](const FileShelfItem& item) { return !item.isPinned; });
  commit();
}

void FileShelfManager::enforceLimits() {
  if (applyLimits())
    commit();
}

// Splitting keeps each group's order, so a newly pinned entry ends the pinned group and a
// newly unpinned one starts the unpinned group, where the oldest fall off the end.
bool FileShelfManager::applyLimits() {
  std::vector<FileShelfItem> pinned;
  std::vector<FileShelfItem> unpinned;
  for (const FileShelfItem& item : items_)
    (item.isPinned ? pinned : unpinned).push_back(item);
  if (unpinned.size() <= unpinnedLimit() && pinned.size() <= pinnedLimit() &&
      std::equal(pinned.begin(), pinned.end(), items_.begin()))
    return false;
  unpinned.resize(std::min(unpinned.size(), unpinnedLimit()));
  pinned.resize(std::min(pinned.size(), pinnedLimit()));
  pinned.insert(pinned.end(), unpinned.begin(), unpinned.end());
  items_ = std::move(pinned);
  return true;
}

void FileShelfManager::refreshReachability() {
  std::vector<Uuid> ids;
  std::vector<std::string> paths;
  for (const FileShelfItem& item : items_) {
    ids.push_back(item.id);
    paths.push_back(item.path());
  }
  auto reachable = std::make_shared<std::vector<bool>>();
  Files& files = ports_.files;
  ports_.background.run(
      [&files, paths = std::move(paths), reachable] {
        for (const std::string& path : paths)
          reachable->push_back(!path.empty() && files.exists(path));
      },
      lifetime_.guard(
          [this, ids = std::move(ids), reachable] { applyReachability(ids, *reachable); }));
}

// Results belong to the entries of the snapshot: they are matched by id, so a reordering
// meanwhile (a pin) never marks the wrong file, and dropped when entries came or went.
void FileShelfManager::applyReachability(const std::vector<Uuid>& ids,
                                         const std::vector<bool>& reachable) {
  if (ids.size() != items_.size())
    return;
  bool changed = false;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const FileShelfItem& item) { return item.id == ids[i]; });
    if (found != items_.end() && found->isReachable != reachable[i]) {
      found->isReachable = reachable[i];
      changed = true;
    }
  }
  if (changed)
    commit();
}

void FileShelfManager::markUnreachable(Uuid id) {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const FileShelfItem& item) { return item.id == id; });
  if (found == items_.end() || !found->isReachable)
    return;
  found->isReachable = false;
  commit();
}

void FileShelfManager::load() {
  if (auto decoded = store_.load(decodeFileShelfItems)) {
    items_ = std::move(*decoded);
    applyLimits();
  }
}

void FileShelfManager::save() {
  if (const std::optional<std::string> text = encodeFileShelfItems(items_))
    store_.save(*text);
}

void FileShelfManager::commit() {
  save();
  itemsChanged.emit();
}

}  // namespace dovrik
