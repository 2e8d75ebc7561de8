// Counting clipboard changes and reporting them once per loop turn.
#include "linux/clipboard/ClipboardChanges.h"

namespace dovrik::clipboard {

ClipboardChanges::ClipboardChanges(Scheduler& mainQueue, Signal<ChangeCount>& changed)
    : mainQueue_(mainQueue), changed_(changed) {}

ClipboardChanges::~ClipboardChanges() {
  mainQueue_.cancel(pending_);
}

void ClipboardChanges::publish(ChangeCount generation) {
  count_ = generation;
  if (pending_)
    return;
  pending_ = mainQueue_.after(0, [this] {
    pending_ = 0;
    changed_.emit(count_);
  });
}

}  // namespace dovrik::clipboard
