// A saved window layout and its windows, with the stored JSON form of a list of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/platform/KeyboardShortcut.h"
#include "core/platform/Uuid.h"

namespace dovrik {

struct WorkspaceWindow {
  std::string bundleIdentifier;
  std::string appName;      // shown to the user only
  std::string windowTitle;  // may be empty
  std::int64_t windowIndex = 0;
  std::string displayUUID;
  // The frame as fractions of its display's visible frame, desktop space; not clamped.
  Rect fractionalFrame;
  friend bool operator==(const WorkspaceWindow&, const WorkspaceWindow&) = default;
};

struct Workspace {
  Uuid id;
  std::string name;
  std::vector<WorkspaceWindow> windows;
  std::string displaySignature;
  bool autoRestore = false;
  std::optional<KeyboardShortcut> shortcut;
  double createdAt = 0;  // seconds since 2001-01-01 00:00:00 UTC
  friend bool operator==(const Workspace&, const Workspace&) = default;
};

// The compact JSON text of the whole list; nothing when a number is not finite, which JSON
// cannot carry.
std::optional<std::string> encodeWorkspaces(const std::vector<Workspace>& workspaces);
// Strict: one record that does not decode makes the whole list undecodable.
std::optional<std::vector<Workspace>> decodeWorkspaces(std::string_view text);

}  // namespace dovrik
