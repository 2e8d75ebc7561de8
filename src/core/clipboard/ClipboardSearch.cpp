// Case-insensitive containment over UTF-8 text, folding each character to lower case.
#include "core/clipboard/ClipboardSearch.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace dovrik {
namespace {

// Decodes UTF-8; a byte that does not start a well-formed sequence stands for itself, so
// malformed text still compares byte for byte.
std::vector<char32_t> codePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    bool wellFormed = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4 && i + length <= text.size());
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      wellFormed = (next & 0xC0) == 0x80;
      value = (value << 6) | (next & 0x3F);
    }
    out.push_back(wellFormed ? value : lead);
    i += wellFormed ? length : 1;
  }
  return out;
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
  std::vector<char32_t> out = codePoints(text);
  std::transform(out.begin(), out.end(), out.begin(), lowerCase);
  return out;
}

}  // namespace

bool matchesSearch(const ClipboardItem& item, std::string_view searchText) {
  if (item.kind == ClipboardKind::image)
    return false;
  const std::vector<char32_t> text = folded(*item.text);
  const std::vector<char32_t> search = folded(searchText);
  return std::search(text.begin(), text.end(), search.begin(), search.end()) != text.end();
}

}  // namespace dovrik
