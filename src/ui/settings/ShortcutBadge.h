// The badge of a shortcut: shows the combination, "Recording…" while its recorder listens,
// and starts or stops recording when clicked.
#pragma once

#include <QPushButton>
#include <functional>
#include <optional>

#include "core/platform/KeyboardShortcut.h"
#include "core/settings/ShortcutRecorder.h"
#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

class ShortcutBadge : public QPushButton {
 public:
  // Handed the recorder each time a click starts it, so the window can read the keys.
  using RecordKeys = std::function<void(ShortcutRecorder&)>;

  ShortcutBadge(ShortcutRecorder& recorder, const std::optional<KeyboardShortcut>& shortcut,
                ColorScheme scheme, RecordKeys recordKeys, QWidget* parent = nullptr);
};

}  // namespace dovrik::ui
