// The kind filter of the clipboard popup: its chips, their labels and the entries each keeps.
#pragma once

#include <array>
#include <string_view>

#include "core/clipboard/ClipboardKind.h"

namespace dovrik {

enum class ClipboardFilter { all, text, links, images };

// The chips in the order they are shown.
inline constexpr std::array<ClipboardFilter, 4> clipboardFilters{
    ClipboardFilter::all, ClipboardFilter::text, ClipboardFilter::links, ClipboardFilter::images};

// "All", "Text", "Links", "Images".
std::string_view label(ClipboardFilter filter);
// Links are not text: `text` keeps only plain text entries.
bool keeps(ClipboardFilter filter, ClipboardKind kind);

}  // namespace dovrik
