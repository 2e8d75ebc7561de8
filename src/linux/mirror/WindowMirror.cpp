// Keeping the copy of a compositor's state current, one report at a time.
#include "linux/mirror/WindowMirror.h"

#include <algorithm>

namespace dovrik::mirror {

namespace {

void erase(std::vector<WindowHandle>& list, WindowHandle handle) {
  list.erase(std::remove(list.begin(), list.end(), handle), list.end());
}

}  // namespace

const MirroredWindow* WindowMirror::window(WindowHandle handle) const {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

std::optional<WindowHandle> WindowMirror::handleOf(const std::string& id) const {
  const auto it = numbers_.find(id);
  if (it == numbers_.end() || !windows_.contains(it->second))
    return std::nullopt;
  return it->second;
}

WindowHandle WindowMirror::numberFor(const std::string& id) {
  const auto [it, inserted] = numbers_.try_emplace(id, nextNumber_);
  if (inserted)
    ++nextNumber_;
  return it->second;
}

void WindowMirror::raise(WindowHandle handle) {
  erase(stacking_, handle);
  stacking_.insert(stacking_.begin(), handle);
}

void WindowMirror::store(const MirroredWindow& window, bool raiseIt) {
  const WindowHandle handle = numberFor(window.id);
  const bool isNew = windows_.insert_or_assign(handle, window).second;
  if (isNew) {
    order_.push_back(handle);
    stacking_.push_back(handle);
  }
  if (raiseIt)
    raise(handle);
}

void WindowMirror::replaceAll(std::vector<MirroredOutput> outputs,
                              const std::vector<MirroredWindow>& windows,
                              const std::string& activeId) {
  windows_.clear();
  order_.clear();
  stacking_.clear();
  for (const MirroredWindow& w : windows)
    store(w, false);
  setActive(activeId);
  setOutputs(std::move(outputs));
  if (!answered_) {
    answered_ = true;
    answeredChanged.emit();
  }
}

void WindowMirror::setOutputs(std::vector<MirroredOutput> outputs) {
  if (outputs == outputs_)
    return;
  outputs_ = std::move(outputs);
  outputsChanged.emit();
}

void WindowMirror::addWindow(const MirroredWindow& window) {
  const bool known = handleOf(window.id).has_value();
  store(window, true);
  if (!known)
    windowAdded.emit(window);
}

void WindowMirror::changeWindow(const MirroredWindow& window) {
  store(window, false);
  if (handleOf(window.id))
    windowChanged.emit(window);
}

void WindowMirror::removeWindow(const std::string& id) {
  const auto handle = handleOf(id);
  if (!handle)
    return;
  windows_.erase(*handle);
  erase(order_, *handle);
  erase(stacking_, *handle);
  // A number is never given to another window, so a stale handle finds nothing.
  numbers_.erase(id);
  if (activeId_ == id)
    activeId_.clear();
}

void WindowMirror::setActive(const std::string& id) {
  activeId_ = id;
  if (const auto handle = handleOf(id))
    raise(*handle);
}

void WindowMirror::restack(const std::vector<std::string>& frontToBack) {
  std::vector<WindowHandle> stacking;
  for (const std::string& id : frontToBack) {
    const auto handle = handleOf(id);
    if (handle && std::find(stacking.begin(), stacking.end(), *handle) == stacking.end())
      stacking.push_back(*handle);
  }
  for (const WindowHandle handle : stacking_) {
    if (std::find(stacking.begin(), stacking.end(), handle) == stacking.end())
      stacking.push_back(handle);
  }
  stacking_ = std::move(stacking);
}

void WindowMirror::reportMove(MovePhase phase, const std::string& id) {
  if (const auto handle = handleOf(id))
    moved.emit(phase, *handle);
}

void WindowMirror::forget() {
  const bool wasAnswered = answered_;
  answered_ = false;
  windows_.clear();
  order_.clear();
  stacking_.clear();
  activeId_.clear();
  cursor_.reset();
  setOutputs({});
  if (wasAnswered)
    answeredChanged.emit();
}

void WindowMirror::setFrameOptimistically(WindowHandle handle, const Rect& frame) {
  const auto it = windows_.find(handle);
  if (it != windows_.end())
    it->second.frame = frame;
}

}  // namespace dovrik::mirror
