// `dovrik snap POSITION`: snaps the active window, as the hotkeys and the tray menu do; the
// same verb carries it to another monitor or puts it back where it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/cli/Command.h"
#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"

namespace dovrik::cli {

Command snapCommand();

// A position as typed: its name ("Left Half") or the hyphenated form ("left-half"), in any
// case.
std::optional<SnapPosition> snapPositionFromArgument(std::string_view text);
// A window command as typed: "next-display" or "Next Display", in any case.
std::optional<WindowAction> windowActionFromArgument(std::string_view text);
// The hyphenated form: "left-half", "next-display".
std::string argumentName(SnapPosition position);
std::string argumentName(WindowAction action);

}  // namespace dovrik::cli
