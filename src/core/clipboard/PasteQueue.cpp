// Pasting entries one by one, each after the application took the one before.
#include "core/clipboard/PasteQueue.h"

#include <utility>

namespace dovrik {

PasteQueue::PasteQueue(Scheduler& scheduler, Pasteboard& pasteboard, PasteKeystroke& keystroke,
                       std::function<void(const ClipboardItem&)> write)
    : scheduler_(scheduler),
      pasteboard_(pasteboard),
      keystroke_(keystroke),
      write_(std::move(write)) {}

PasteQueue::~PasteQueue() {
  cancel();
}

void PasteQueue::start(std::vector<ClipboardItem> items) {
  cancel();
  if (items.empty())
    return;
  pending_.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
  run_ = ++runs_;
  pasteNext(*run_);
}

void PasteQueue::cancel() {
  stopWaiting();
  pending_.clear();
  run_.reset();
}

void PasteQueue::pasteNext(std::uint64_t run) {
  if (run_ != run)
    return;
  if (pending_.empty()) {
    run_.reset();
    return;
  }
  const ClipboardItem item = std::move(pending_.front());
  pending_.pop_front();
  write_(item);
  keystroke_.send(keystroke_.chordForFocusedApplication(),
                  lifetime_.guard([this, run](bool posted) {
                    if (run_ != run)
                      return;
                    // Without the keystroke nothing takes the entry, and writing the next one over
                    // it would leave the user a clipboard they did not ask for.
                    if (!posted)
                      return cancel();
                    awaitTake(run);
                  }));
}

// Only a taking after the keystroke counts: a clipboard manager reading each new write at
// once must not pass for the application pasting it.
void PasteQueue::awaitTake(std::uint64_t run) {
  const auto next = [this, run] {
    stopWaiting();
    scheduler_.after(settleAfterTake, lifetime_.guard([this, run] { pasteNext(run); }));
  };
  takeConnection_ = pasteboard_.contentTaken.connect(next);
  takeTimeout_ = scheduler_.after(takeTimeout, lifetime_.guard(next));
}

void PasteQueue::stopWaiting() {
  if (takeConnection_)
    pasteboard_.contentTaken.disconnect(*takeConnection_);
  takeConnection_.reset();
  if (takeTimeout_)
    scheduler_.cancel(*takeTimeout_);
  takeTimeout_.reset();
}

}  // namespace dovrik
