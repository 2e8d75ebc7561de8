// The bookkeeping of a main queue: tasks ordered by due time, then by the order they were
// added, with repeating tasks put back after they are taken. Shared by the real event loop and
// by virtual time, so both run tasks in the same order.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "core/platform/Scheduler.h"

namespace dovrik {

class TaskQueue {
 public:
  struct Task {
    TaskId id = 0;
    std::function<void()> fn;
    double due = 0;
    double interval = 0;  // 0 for one-shot tasks
  };

  TaskId add(double due, std::function<void()> fn, double interval = 0);
  // Unknown or finished tasks are ignored.
  void cancel(TaskId id);

  bool empty() const { return queue_.empty(); }
  std::size_t size() const { return queue_.size(); }
  std::optional<double> earliestDue() const;
  // Marks the tasks added so far; `take` can be limited to them.
  std::uint64_t mark() const { return sequence_; }

  // Removes the earliest task due at or before `limit` (among those added before `addedBefore`,
  // and passing over repeating tasks when asked). A repeating task goes back in under the same
  // id, due one interval later but never before `floor`, so a stall costs one run, not many.
  std::optional<Task> take(double limit, double floor,
                           std::uint64_t addedBefore = std::numeric_limits<std::uint64_t>::max(),
                           bool skipRepeating = false);

 private:
  using Key = std::pair<double, std::uint64_t>;  // due time, then the order of adding
  void insert(Task task);

  std::map<Key, Task> queue_;
  std::map<TaskId, Key> keys_;
  std::uint64_t sequence_ = 0;
  TaskId nextId_ = 1;
};

}  // namespace dovrik
