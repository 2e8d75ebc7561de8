// The change count of a clipboard adapter. Every new owner or content is noticed at once, but
// counted only once its content is in hand, so that a reader of the count never sees the
// previous content under the new count; fetches of a superseded change see that they are stale.
#pragma once

#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"

namespace dovrik::clipboard {

class ClipboardChanges {
 public:
  // `changed` is the adapter's signal, raised on the main queue.
  ClipboardChanges(Scheduler& mainQueue, Signal<ChangeCount>& changed);
  ClipboardChanges(const ClipboardChanges&) = delete;
  ClipboardChanges& operator=(const ClipboardChanges&) = delete;
  ~ClipboardChanges();

  // A change was heard of; answers its generation, which makes every earlier one stale.
  ChangeCount notice() { return ++noticed_; }
  ChangeCount noticed() const { return noticed_; }
  bool isStale(ChangeCount generation) const { return generation != noticed_; }

  // The content of `generation` is in hand: it is the count now. Raises `changed` once per
  // turn of the loop, with the count at that moment.
  void publish(ChangeCount generation);
  ChangeCount count() const { return count_; }

 private:
  Scheduler& mainQueue_;
  Signal<ChangeCount>& changed_;
  ChangeCount noticed_ = 0;
  ChangeCount count_ = 0;
  TaskId pending_ = 0;
};

}  // namespace dovrik::clipboard
