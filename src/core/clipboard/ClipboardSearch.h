// Which clipboard history entries the popup's search finds, best first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/clipboard/ClipboardItem.h"

namespace dovrik {

// How one word of a search occurs in an entry, from the best kind of hit to the weakest.
enum class SearchHit {
  word,         // on its own, between word boundaries
  prefix,       // at the start of a longer word
  substring,    // inside a word
  subsequence,  // its letters in order, with others between ("mtg" in "meeting")
};

// The best hit of `word` in `text`, both folded for search; nothing when it does not occur.
// Subsequences are looked for only in the first `subsequenceWindow` bytes of the text.
std::optional<SearchHit> bestHit(std::string_view text, std::string_view word);

class ClipboardSearch {
 public:
  // How much of an entry a search reads. A keystroke must not wait for a scan through texts
  // of megabytes; the start of a text is what its row shows and what the user remembers.
  static constexpr std::size_t searchedBytes = 256 * 1024;
  // How far into an entry its letters are looked for with others between.
  static constexpr std::size_t subsequenceWindow = 16 * 1024;

  // The indices into `items` of the entries that every word of `query` occurs in, in any
  // order, within an entry's first `searchedBytes`, ranked by their weakest word's hit and
  // then in the list's order. Case and common Latin accents do not count. Images never match a
  // query with words; a query without words keeps every entry in order.
  std::vector<std::size_t> rank(const std::vector<ClipboardItem>& items, std::string_view query);
  // Folds the entries not folded yet and lets go of those no longer listed; for the popup's
  // opening, so that its first keystroke does not pay for folding a whole history.
  void prepare(const std::vector<ClipboardItem>& items);

 private:
  // Folding takes longer than a keystroke may, so the searched part of each entry's text is
  // folded once and kept; entries that left the list let go of theirs at the next `prepare`.
  struct FoldedEntry {
    SharedText source;
    std::string folded;
  };
  const std::string& folded(const SharedText& text);

  std::unordered_map<const std::string*, FoldedEntry> folded_;
};

}  // namespace dovrik
