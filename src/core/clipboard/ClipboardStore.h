// Where the clipboard history lives on disk: the folder (moved once from the predecessor's),
// loading with the fallbacks, and atomic writes of snapshots off the main thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "core/clipboard/ClipboardItem.h"
#include "core/platform/Background.h"
#include "core/platform/Defaults.h"
#include "core/platform/Files.h"

namespace dovrik {

class ClipboardStore {
 public:
  struct Loaded {
    std::vector<ClipboardItem> items;
    // The items came from the older settings key, which is gone now; they need a save.
    bool imported = false;
  };

  // Moves the predecessor's folder once and makes sure the folder exists (failures ignored).
  ClipboardStore(Files& files, Background& background, Defaults& defaults);

  static constexpr const char* legacyKey = "qlm.clipboardHistory";
  const std::filesystem::path& fileURL() const { return fileURL_; }

  // The history file; failing that the older settings data (removed once read); else empty.
  Loaded load();
  // Encodes and writes on a worker. A write never replaces a newer one that finished first, and
  // a snapshot that a newer one replaces before its turn is not written at all.
  void writeInBackground(std::vector<ClipboardItem> snapshot);
  // Encodes and writes before returning.
  void writeNow(const std::vector<ClipboardItem>& snapshot);

 private:
  // Shared with the workers: serialises saves and knows the newest snapshot.
  struct WriteGate {
    std::mutex mutex;
    // The file on disk did not decode: the first write keeps it aside before replacing it.
    bool setAsideFirst = false;
    // The last snapshot handed out, set on the main thread.
    std::atomic<std::uint64_t> newest = 0;
  };
  struct Job;
  Job makeJob(std::vector<ClipboardItem> snapshot);

  Files& files_;
  Background& background_;
  Defaults& defaults_;
  std::filesystem::path fileURL_;
  std::shared_ptr<WriteGate> gate_ = std::make_shared<WriteGate>();
  std::uint64_t generation_ = 0;
};

}  // namespace dovrik
