// The clipboard history file.
#include "core/clipboard/ClipboardStore.h"

#include <string>
#include <utility>

namespace dovrik {
namespace {

constexpr unsigned folderMode = 0700;
constexpr unsigned fileMode = 0600;

std::optional<std::vector<ClipboardItem>> decode(const Bytes& bytes) {
  return decodeClipboardItems(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

struct ClipboardStore::Job {
  Files* files;
  std::shared_ptr<WriteGate> gate;
  std::uint64_t generation;
  std::filesystem::path path;
  std::vector<ClipboardItem> snapshot;

  void operator()() const {
    // One save at a time, and none for a snapshot that a newer one already replaces: the text
    // of a history of images is large, and two of them at once would double the memory.
    std::lock_guard lock(gate->mutex);
    if (generation < gate->newest)
      return;
    const std::string text = encodeClipboardItems(snapshot);
    if (std::exchange(gate->setAsideFirst, false))
      files->setAside(path);
    files->writeAtomically(path, text, fileMode);
  }
};

ClipboardStore::ClipboardStore(Files& files, Background& background, Defaults& defaults)
    : files_(files), background_(background), defaults_(defaults) {
  const std::filesystem::path base = files_.supportDirectory();
  const std::filesystem::path folder = base / "Dovrik";
  const std::filesystem::path predecessor = base / "Quillmoor";
  if (files_.exists(predecessor) && !files_.exists(folder))
    files_.move(predecessor, folder);
  if (!files_.exists(folder))
    files_.createDirectory(folder, folderMode);
  fileURL_ = folder / "clipboard.json";
}

ClipboardStore::Loaded ClipboardStore::load() {
  if (const auto bytes = files_.read(fileURL_)) {
    if (auto items = decode(*bytes))
      return Loaded{std::move(*items), false};
    gate_->setAsideFirst = true;
  }
  const auto legacy = defaults_.dataValue(legacyKey);
  if (!legacy)
    return {};
  auto items = decode(*legacy);
  if (!items)
    return {};
  defaults_.remove(legacyKey);
  return Loaded{std::move(*items), true};
}

ClipboardStore::Job ClipboardStore::makeJob(std::vector<ClipboardItem> snapshot) {
  gate_->newest = ++generation_;
  return Job{&files_, gate_, generation_, fileURL_, std::move(snapshot)};
}

void ClipboardStore::writeInBackground(std::vector<ClipboardItem> snapshot) {
  background_.run(makeJob(std::move(snapshot)), [] {});
}

void ClipboardStore::writeNow(const std::vector<ClipboardItem>& snapshot) {
  makeJob(snapshot)();
}

}  // namespace dovrik
