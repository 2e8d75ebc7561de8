// Case and accent folding over UTF-8, by tables of the Latin letters that carry accents.
#include "core/clipboard/SearchFolding.h"

#include <array>
#include <cstddef>

namespace dovrik {
namespace {

struct FoldedCodePoint {
  char32_t value;
  std::size_t length;
};

FoldedCodePoint decodeForFolding(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || at + length > text.size())
    return {lead, 1};
  char32_t value = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80)
      return {lead, 1};
    value = (value << 6) | (next & 0x3F);
  }
  return {value, length};
}

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (c & 0x3F));
}

// Base letters of U+00C0 to U+00FF, one entry each; empty for × and ÷, which stay.
constexpr std::array<std::string_view, 64> latin1Bases{
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

struct LatinRun {
  char32_t last;
  std::string_view base;
};

// Latin Extended-A (U+0100 to U+017F) in runs of one base letter, each up to its last code
// point.
constexpr std::array<LatinRun, 22> latinExtendedRuns{{
    {0x105, "a"}, {0x10D, "c"},  {0x111, "d"}, {0x11B, "e"}, {0x123, "g"}, {0x127, "h"},
    {0x131, "i"}, {0x133, "ij"}, {0x135, "j"}, {0x138, "k"}, {0x142, "l"}, {0x14B, "n"},
    {0x151, "o"}, {0x153, "oe"}, {0x159, "r"}, {0x161, "s"}, {0x167, "t"}, {0x173, "u"},
    {0x175, "w"}, {0x178, "y"},  {0x17E, "z"}, {0x17F, "s"},
}};

std::string_view latinBase(char32_t c) {
  if (c < 0x100)
    return latin1Bases[c - 0xC0];
  for (const LatinRun& run : latinExtendedRuns) {
    if (c <= run.last)
      return run.base;
  }
  return {};
}

char32_t smallLetter(char32_t c) {
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)  // Greek capitals
    return c + 32;
  if (c >= 0x400 && c <= 0x40F)  // Cyrillic capitals with marks
    return c + 80;
  if (c >= 0x410 && c <= 0x42F)  // basic Cyrillic capitals
    return c + 32;
  return c;
}

}  // namespace

std::string foldedForSearch(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    // Most text is ASCII: a run of it is folded in place, without a call per byte.
    std::size_t runEnd = at;
    while (runEnd < text.size() && static_cast<unsigned char>(text[runEnd]) < 0x80)
      ++runEnd;
    if (runEnd > at) {
      const std::size_t start = out.size();
      out.append(text.substr(at, runEnd - at));
      for (std::size_t k = start; k < out.size(); ++k) {
        if (out[k] >= 'A' && out[k] <= 'Z')
          out[k] = static_cast<char>(out[k] + 32);
      }
      at = runEnd;
      continue;
    }
    // A byte that starts no well-formed character is taken for the Latin-1 character of its
    // value, as text from an older program most likely meant it.
    const FoldedCodePoint c = decodeForFolding(text, at);
    if (c.value >= 0x300 && c.value <= 0x36F) {
      // A combining accent: its letter was kept already.
    } else if (const std::string_view base =
                   c.value >= 0xC0 && c.value <= 0x17F ? latinBase(c.value) : std::string_view();
               !base.empty()) {
      out += base;
    } else {
      appendUtf8(smallLetter(c.value), out);
    }
    at += c.length;
  }
  return out;
}

}  // namespace dovrik
