// Case-insensitive containment over UTF-8 text, folding each character to lower case.
#include "core/clipboard/ClipboardSearch.h"

#include <cstddef>
#include <vector>

namespace dovrik {
namespace {

struct CodePoint {
  char32_t value;
  std::size_t length;
};

// The character that starts at `at`. A byte that does not start a well-formed sequence stands
// for itself, so malformed text still compares byte for byte.
CodePoint decodeAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80)
    return {lead, 1};
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

char32_t lowerCase(char32_t c) {
  if (c >= U'A' && c <= U'Z')
    return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // Latin-1 capitals, not the multiplication sign
    return c + 32;
  if (c >= 0x100 && c <= 0x137 && c % 2 == 0)  // Latin Extended-A, even capitals
    return c + 1;
  if (c >= 0x139 && c <= 0x148 && c % 2 == 1)
    return c + 1;
  if (c >= 0x14A && c <= 0x177 && c % 2 == 0)
    return c + 1;
  if (c >= 0x179 && c <= 0x17E && c % 2 == 1)
    return c + 1;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)  // Greek capitals
    return c + 32;
  if (c >= 0x400 && c <= 0x40F)  // Cyrillic capitals with marks
    return c + 80;
  if (c >= 0x410 && c <= 0x42F)  // basic Cyrillic capitals
    return c + 32;
  return c;
}

std::vector<char32_t> folded(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint c = decodeAt(text, at);
    out.push_back(lowerCase(c.value));
    at += c.length;
  }
  return out;
}

bool matchesAt(std::string_view text, std::size_t at, const std::vector<char32_t>& search) {
  for (const char32_t wanted : search) {
    if (at >= text.size())
      return false;
    const CodePoint c = decodeAt(text, at);
    if (lowerCase(c.value) != wanted)
      return false;
    at += c.length;
  }
  return true;
}

}  // namespace

// An entry may hold megabytes of text and the search runs at each key typed, so the text is
// read in place, without a decoded copy.
bool matchesSearch(const ClipboardItem& item, std::string_view searchText) {
  if (item.kind == ClipboardKind::image)
    return false;
  const std::vector<char32_t> search = folded(searchText);
  const std::string_view text = *item.text;
  if (search.empty())
    return true;
  if (search.front() < 0x80) {
    // An ASCII byte always stands for itself and folding never crosses between ASCII and
    // other characters: only bytes that fold to the first character can start a match.
    const auto lower = static_cast<char>(search.front());
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 32) : lower;
    for (std::size_t at = 0; at < text.size(); ++at) {
      if ((text[at] == lower || text[at] == upper) && matchesAt(text, at, search))
        return true;
    }
    return false;
  }
  for (std::size_t at = 0; at < text.size(); at += decodeAt(text, at).length) {
    if (matchesAt(text, at, search))
      return true;
  }
  return false;
}

}  // namespace dovrik
