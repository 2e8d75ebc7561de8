// The shape of a row in the popup's lists, the same for clipboard entries and shelf files so
// that switching tabs does not shift anything.
#pragma once

namespace dovrik::ui::row {

constexpr double padding = 6;  // inside the highlight
constexpr double gap = 8;
constexpr double radius = 7;

}  // namespace dovrik::ui::row
