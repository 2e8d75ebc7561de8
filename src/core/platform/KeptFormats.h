// The forms of a copied text, besides the text itself, that the history keeps with it so that
// pasting the entry gives applications what the owner gave them: rich text, a rendering of the
// copied cells or shapes, the files a file manager copied.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace dovrik {

struct KeptFormat {
  std::string_view type;
  // The whole history is one file, rewritten at every change and read at start, so a form
  // larger than this is left out entirely: a cut-off form would paste as broken content.
  std::size_t maxBytes;
};

// The html of a long web page selection runs to a few hundred kilobytes; the rendering an
// office application offers with its cells stays within a few megabytes at screen size; a list
// of some thousands of file addresses fits in a quarter of a megabyte.
inline constexpr std::array<KeptFormat, 3> keptFormats{{
    {"text/html", 1u << 20},
    {"image/png", 4u << 20},
    {"text/uri-list", 256u << 10},
}};

// The bound of `type`, or 0 when it is not kept at all.
constexpr std::size_t keptFormatBound(std::string_view type) {
  const auto found = std::ranges::find_if(
      keptFormats, [&](const KeptFormat& format) { return format.type == type; });
  return found == keptFormats.end() ? 0 : found->maxBytes;
}

// Whether `bytes` bytes of `type` are kept with a text; an empty form says nothing.
constexpr bool keepsFormat(std::string_view type, std::size_t bytes) {
  return bytes > 0 && bytes <= keptFormatBound(type);
}

}  // namespace dovrik
