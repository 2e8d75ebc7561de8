// Fuzzy search over the clipboard history: words in any order, ranked by how they occur.
#include "core/clipboard/ClipboardSearch.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/clipboard/SearchFolding.h"

namespace dovrik {
namespace {

// Occurrences examined for a better kind of hit; a text of megabytes can hold a common word
// thousands of times, and one whole-word hit among the first ones is what usually decides.
constexpr int examinedOccurrences = 64;

// Where `word` occurs in `text` from `from` on. The C library's search skips through large
// texts several times faster than a search that stops at every first letter of the word.
std::size_t findFrom(std::string_view text, std::string_view word, std::size_t from) {
  if (from > text.size())
    return std::string_view::npos;
  const void* found = memmem(text.data() + from, text.size() - from, word.data(), word.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
               : std::string_view::npos;
}

bool isWordByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  // Bytes of non-ASCII characters count as letters: accented Latin letters were folded to
  // ASCII already, and the remaining ones are mostly letters of other scripts.
  return (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte >= 0x80;
}

std::size_t utf8Length(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

// A whole character of the word at a time, so a letter never matches part of another one.
bool isSubsequence(std::string_view text, std::string_view word) {
  std::size_t from = 0;
  for (std::size_t at = 0; at < word.size();) {
    const std::size_t length = std::min(utf8Length(word[at]), word.size() - at);
    const std::size_t found = findFrom(text, word.substr(at, length), from);
    if (found == std::string_view::npos)
      return false;
    from = found + length;
    at += length;
  }
  return true;
}

std::vector<std::string> searchWords(std::string_view query) {
  std::vector<std::string> words;
  const std::string folded = foldedForSearch(query);
  std::size_t at = 0;
  while (at < folded.size()) {
    const std::size_t start = folded.find_first_not_of(" \t\r\n", at);
    if (start == std::string::npos)
      break;
    const std::size_t end = std::min(folded.find_first_of(" \t\r\n", start), folded.size());
    words.push_back(folded.substr(start, end - start));
    at = end;
  }
  return words;
}

}  // namespace

std::optional<SearchHit> bestHit(std::string_view text, std::string_view word) {
  std::optional<SearchHit> best;
  std::size_t at = findFrom(text, word, 0);
  for (int examined = 0; at != std::string_view::npos && examined < examinedOccurrences;
       ++examined) {
    const std::size_t end = at + word.size();
    const bool startsWord = at == 0 || !isWordByte(text[at - 1]) || !isWordByte(word.front());
    const bool endsWord = end == text.size() || !isWordByte(text[end]) || !isWordByte(word.back());
    const SearchHit hit = startsWord && endsWord ? SearchHit::word
                          : startsWord           ? SearchHit::prefix
                                                 : SearchHit::substring;
    if (!best || hit < *best)
      best = hit;
    if (hit == SearchHit::word)
      return best;
    at = findFrom(text, word, at + 1);
  }
  if (best)
    return best;
  if (isSubsequence(text.substr(0, ClipboardSearch::subsequenceWindow), word))
    return SearchHit::subsequence;
  return std::nullopt;
}

void ClipboardSearch::prepare(const std::vector<ClipboardItem>& items) {
  std::unordered_map<const std::string*, FoldedEntry> kept;
  for (const ClipboardItem& item : items) {
    if (item.kind == ClipboardKind::image)
      continue;
    folded(item.text);
    kept.insert(folded_.extract(&*item.text));
  }
  folded_ = std::move(kept);
}

std::vector<std::size_t> ClipboardSearch::rank(const std::vector<ClipboardItem>& items,
                                               std::string_view query) {
  const std::vector<std::string> words = searchWords(query);
  std::vector<std::pair<SearchHit, std::size_t>> found;
  for (std::size_t index = 0; index < items.size(); ++index) {
    const ClipboardItem& item = items[index];
    if (words.empty()) {
      found.emplace_back(SearchHit::word, index);
      continue;
    }
    if (item.kind == ClipboardKind::image)
      continue;
    const std::string& text = folded(item.text);
    SearchHit weakest = SearchHit::word;
    bool all = true;
    for (const std::string& word : words) {
      const std::optional<SearchHit> hit = bestHit(text, word);
      if (!hit) {
        all = false;
        break;
      }
      weakest = std::max(weakest, *hit);
    }
    if (all)
      found.emplace_back(weakest, index);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> indices;
  indices.reserve(found.size());
  for (const auto& [hit, index] : found)
    indices.push_back(index);
  return indices;
}

const std::string& ClipboardSearch::folded(const SharedText& text) {
  const std::string* key = &*text;
  auto entry = folded_.find(key);
  if (entry == folded_.end())
    entry = folded_
                .emplace(key, FoldedEntry{text, foldedForSearch(std::string_view(*text).substr(
                                                    0, searchedBytes))})
                .first;
  return entry->second.folded;
}

}  // namespace dovrik
