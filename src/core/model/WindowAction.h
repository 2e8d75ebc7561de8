// The window commands besides snapping: carrying the active window to the next or previous
// monitor, and putting it back where it was before Dovrik placed it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace dovrik {

enum class WindowAction { nextDisplay, previousDisplay, restore };

// Declaration order: the order in which the actions are listed everywhere.
inline constexpr std::array<WindowAction, 3> allWindowActions = {
    WindowAction::nextDisplay, WindowAction::previousDisplay, WindowAction::restore};

// Display name and stored value ("Next Display").
std::string_view rawValue(WindowAction action);
std::optional<WindowAction> windowActionFromRawValue(std::string_view text);
// The symbol name shown beside the command in menus.
std::string_view icon(WindowAction action);

}  // namespace dovrik
