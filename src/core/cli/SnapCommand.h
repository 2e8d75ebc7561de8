// `dovrik snap POSITION`: snaps the active window, as the hotkeys and the tray menu do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/cli/Command.h"
#include "core/model/SnapPosition.h"

namespace dovrik::cli {

Command snapCommand();

// A position as typed: its name ("Left Half") or the hyphenated form ("left-half"), in any
// case.
std::optional<SnapPosition> snapPositionFromArgument(std::string_view text);
// The hyphenated form: "left-half".
std::string argumentName(SnapPosition position);

}  // namespace dovrik::cli
