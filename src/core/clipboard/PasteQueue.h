// Several history entries pasted one after another into the focused application: each is
// written to the clipboard and pasted with its own keystroke, and the next one is written only
// once the application took the previous one, or a bounded wait for it ran out.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "core/clipboard/ClipboardItem.h"
#include "core/paste/PasteKeystroke.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class PasteQueue {
 public:
  // How long an application may take to read one entry after its keystroke. Applications
  // read at once; the bound is for one that never asks, or a desktop that cannot tell.
  static constexpr double takeTimeout = 1.0;
  // An application may ask for a second form of the content right after the first.
  static constexpr double settleAfterTake = 0.05;

  // `write` puts one entry on the clipboard as Dovrik's own write.
  PasteQueue(Scheduler& scheduler, Pasteboard& pasteboard, PasteKeystroke& keystroke,
             std::function<void(const ClipboardItem&)> write);
  PasteQueue(const PasteQueue&) = delete;
  PasteQueue& operator=(const PasteQueue&) = delete;
  ~PasteQueue();

  // Pastes `items` in order, replacing a run still under way.
  void start(std::vector<ClipboardItem> items);
  // Stops before the next entry; one already written stays on the clipboard.
  void cancel();
  bool isRunning() const { return run_.has_value(); }

 private:
  void pasteNext(std::uint64_t run);
  void awaitTake(std::uint64_t run);
  void stopWaiting();

  Scheduler& scheduler_;
  Pasteboard& pasteboard_;
  PasteKeystroke& keystroke_;
  std::function<void(const ClipboardItem&)> write_;
  std::deque<ClipboardItem> pending_;
  // Each start makes a new run; steps of an older run find it gone and stop.
  std::optional<std::uint64_t> run_;
  std::uint64_t runs_ = 0;
  std::optional<Signal<>::Connection> takeConnection_;
  std::optional<TaskId> takeTimeout_;
  Lifetime lifetime_;
};

}  // namespace dovrik
