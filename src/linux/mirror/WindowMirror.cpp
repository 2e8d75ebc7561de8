// Keeping the copy of KWin's state current, one script message at a time.
#include "linux/kwin/KWinMirror.h"

#include <algorithm>
#include <type_traits>

namespace dovrik::kwin {

namespace {

void erase(std::vector<WindowHandle>& list, WindowHandle handle) {
  list.erase(std::remove(list.begin(), list.end(), handle), list.end());
}

}  // namespace

const KWinWindow* KWinMirror::window(WindowHandle handle) const {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : &it->second;
}

std::optional<WindowHandle> KWinMirror::handleOf(const std::string& id) const {
  const auto it = numbers_.find(id);
  if (it == numbers_.end() || !windows_.contains(it->second))
    return std::nullopt;
  return it->second;
}

WindowHandle KWinMirror::numberFor(const std::string& id) {
  const auto [it, inserted] = numbers_.try_emplace(id, nextNumber_);
  if (inserted)
    ++nextNumber_;
  return it->second;
}

void KWinMirror::raise(WindowHandle handle) {
  erase(stacking_, handle);
  stacking_.insert(stacking_.begin(), handle);
}

void KWinMirror::store(const KWinWindow& window, bool raiseIt) {
  const WindowHandle handle = numberFor(window.id);
  const bool isNew = windows_.insert_or_assign(handle, window).second;
  if (isNew) {
    order_.push_back(handle);
    stacking_.push_back(handle);
  }
  if (raiseIt)
    raise(handle);
}

void KWinMirror::remove(const std::string& id) {
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

void KWinMirror::setActive(const std::string& id) {
  activeId_ = id;
  if (const auto handle = handleOf(id))
    raise(*handle);
}

void KWinMirror::setOutputs(std::vector<KWinOutput> outputs) {
  if (outputs == outputs_)
    return;
  outputs_ = std::move(outputs);
  outputsChanged.emit();
}

void KWinMirror::apply(const ScriptMessage& message) {
  if (message.cursor)
    cursor_ = message.cursor;
  std::visit(
      [this](const auto& body) {
        using T = std::decay_t<decltype(body)>;
        if constexpr (std::is_same_v<T, HelloMessage>) {
          windows_.clear();
          order_.clear();
          stacking_.clear();
          for (const KWinWindow& w : body.windows)
            store(w, false);
          setActive(body.activeId);
          setOutputs(body.outputs);
          if (!answered_) {
            answered_ = true;
            answeredChanged.emit();
          }
        } else if constexpr (std::is_same_v<T, OutputsMessage>) {
          setOutputs(body.outputs);
        } else if constexpr (std::is_same_v<T, WindowAddedMessage>) {
          const bool known = handleOf(body.window.id).has_value();
          store(body.window, true);
          if (!known)
            windowAdded.emit(body.window);
        } else if constexpr (std::is_same_v<T, WindowChangedMessage>) {
          store(body.window, false);
        } else if constexpr (std::is_same_v<T, WindowRemovedMessage>) {
          remove(body.id);
        } else if constexpr (std::is_same_v<T, ActiveMessage>) {
          setActive(body.id);
        } else if constexpr (std::is_same_v<T, MoveMessage>) {
          if (const auto handle = handleOf(body.id))
            moved.emit(body.phase, *handle);
        }
      },
      message.body);
}

void KWinMirror::forget() {
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

void KWinMirror::setFrameOptimistically(WindowHandle handle, const Rect& frame) {
  const auto it = windows_.find(handle);
  if (it != windows_.end())
    it->second.frame = frame;
}

}  // namespace dovrik::kwin
