// Ordered tasks for the main queue.
#include "core/platform/TaskQueue.h"

#include <algorithm>

namespace dovrik {

TaskId TaskQueue::add(double due, std::function<void()> fn, double interval) {
  const TaskId id = nextId_++;
  insert(Task{id, std::move(fn), due, interval});
  return id;
}

void TaskQueue::insert(Task task) {
  const Key key{task.due, sequence_++};
  keys_.emplace(task.id, key);
  queue_.emplace(key, std::move(task));
}

void TaskQueue::cancel(TaskId id) {
  const auto found = keys_.find(id);
  if (found == keys_.end())
    return;
  queue_.erase(found->second);
  keys_.erase(found);
}

std::optional<double> TaskQueue::earliestDue() const {
  if (queue_.empty())
    return std::nullopt;
  return queue_.begin()->first.first;
}

std::optional<TaskQueue::Task> TaskQueue::take(double limit, double floor,
                                               std::uint64_t addedBefore, bool skipRepeating) {
  for (auto it = queue_.begin(); it != queue_.end() && it->first.first <= limit; ++it) {
    if (it->first.second >= addedBefore || (skipRepeating && it->second.interval > 0))
      continue;
    Task task = std::move(it->second);
    keys_.erase(task.id);
    queue_.erase(it);
    if (task.interval > 0) {
      insert(Task{task.id, task.fn, std::max(task.due + task.interval, floor), task.interval});
    }
    return task;
  }
  return std::nullopt;
}

}  // namespace dovrik
