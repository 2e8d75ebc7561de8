// What a recorded shortcut triggers; names the owner of a conflicting shortcut.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"
#include "core/platform/Uuid.h"

namespace dovrik {

class ShortcutAction {
 public:
  struct ClipboardHistory {
    friend bool operator==(const ClipboardHistory&, const ClipboardHistory&) = default;
  };

  static ShortcutAction snap(SnapPosition position) { return ShortcutAction(position); }
  static ShortcutAction workspace(const Uuid& id) { return ShortcutAction(id); }
  static ShortcutAction clipboardHistory() { return ShortcutAction(ClipboardHistory{}); }
  static ShortcutAction window(WindowAction action) { return ShortcutAction(action); }

  const SnapPosition* snapPosition() const { return std::get_if<SnapPosition>(&value_); }
  const Uuid* workspaceId() const { return std::get_if<Uuid>(&value_); }
  bool isClipboardHistory() const { return std::holds_alternative<ClipboardHistory>(value_); }
  const WindowAction* windowAction() const { return std::get_if<WindowAction>(&value_); }

  // Looks up a saved workspace's name by identifier.
  using WorkspaceNameLookup = std::function<std::optional<std::string>(const Uuid&)>;

  // The text that follows " is already assigned to " in a conflict notice.
  std::string displayName(const WorkspaceNameLookup& workspaceName) const;

  friend bool operator==(const ShortcutAction&, const ShortcutAction&) = default;

 private:
  using Value = std::variant<SnapPosition, Uuid, ClipboardHistory, WindowAction>;
  explicit ShortcutAction(Value value) : value_(std::move(value)) {}
  Value value_;
};

}  // namespace dovrik
