// Text rules of the clipboard history.
#include "core/clipboard/ClipboardText.h"

#include <array>

namespace dovrik {
namespace {

// UTF-8 encodings of the white space and line breaks beyond ASCII that trimming removes.
constexpr std::array<std::string_view, 21> unicodeSpaces{
    "\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003",
    "\u2004", "\u2005", "\u2006", "\u2007", "\u2008", "\u2009", "\u200A",
    "\u2028", "\u2029", "\u202F", "\u205F", "\u3000", "\v",     "\f"};

std::size_t spaceAtFront(std::string_view text) {
  if (!text.empty() && (text[0] == ' ' || text[0] == '\t' || text[0] == '\n' || text[0] == '\r'))
    return 1;
  for (const auto space : unicodeSpaces)
    if (text.starts_with(space))
      return space.size();
  return 0;
}

std::size_t spaceAtBack(std::string_view text) {
  if (!text.empty() &&
      (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
    return 1;
  for (const auto space : unicodeSpaces)
    if (text.ends_with(space))
      return space.size();
  return 0;
}

}  // namespace

std::string trimmedText(std::string_view text) {
  while (const std::size_t n = spaceAtFront(text))
    text.remove_prefix(n);
  while (const std::size_t n = spaceAtBack(text))
    text.remove_suffix(n);
  return std::string(text);
}

std::string trimmedText(std::string_view text, std::size_t maxBytes) {
  while (const std::size_t n = spaceAtFront(text))
    text.remove_prefix(n);
  if (text.size() > maxBytes) {
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
    text = text.substr(0, end);
  }
  return trimmedText(text);
}

ClipboardKind kindOfText(std::string_view trimmed) {
  return trimmed.starts_with("http://") || trimmed.starts_with("https://") ? ClipboardKind::link
                                                                           : ClipboardKind::text;
}

std::string_view firstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace dovrik
