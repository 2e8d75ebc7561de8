// Text as the popup's search compares it.
#pragma once

#include <string>
#include <string_view>

namespace dovrik {

// `text` in lower case with the common Latin accents taken off, so that "Édith" and "edith"
// compare equal. Latin-1 and Latin Extended-A letters become their base letters ("é" → "e",
// "ł" → "l", "ß" → "ss", "æ" → "ae", "œ" → "oe", "þ" → "th"), combining accents (U+0300 to
// U+036F, as in decomposed text) are dropped, and Greek and Cyrillic capitals become small
// letters. Every other character stays as it is, in UTF-8; a byte that starts no well-formed
// character stands for the Latin-1 character of its value.
std::string foldedForSearch(std::string_view text);

}  // namespace dovrik
