// The popup's search: which entries a query finds, in which order, and what folding makes equal.
#include "core/clipboard/ClipboardSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clipboard/SearchFolding.h"

namespace dovrik {
namespace {

using Texts = std::vector<std::string>;

std::vector<ClipboardItem> entries(const Texts& texts) {
  std::vector<ClipboardItem> items;
  for (const std::string& text : texts)
    items.push_back({Uuid::random(), ClipboardKind::text, text, std::nullopt, 0, false, {}});
  return items;
}

Texts found(ClipboardSearch& search, const std::vector<ClipboardItem>& items,
            const std::string& query) {
  Texts out;
  for (const std::size_t index : search.rank(items, query))
    out.push_back(*items[index].text);
  return out;
}

struct RankingRow {
  const char* name;
  Texts history;  // in the history's order
  std::string query;
  Texts expected;
};

TEST(ClipboardSearchTest, RankingTable) {
  const std::string far = std::string(ClipboardSearch::subsequenceWindow, 'x');
  const std::vector<RankingRow> rows{
      {"whole word, then prefix, then substring, then subsequence",
       {"cart", "concatenate", "category", "the cat sat"},
       "cat",
       {"the cat sat", "category", "concatenate", "cart"}},
      {"equal hits keep the history's order",
       {"b cat", "a cat", "cats"},
       "cat",
       {"b cat", "a cat", "cats"}},
      {"words match in any order",
       {"Meeting moved to Thursday", "meet"},
       "thu mtg",
       {"Meeting moved to Thursday"}},
      {"every word must occur", {"Meeting moved to Thursday"}, "meeting friday", {}},
      {"the weakest word ranks the entry",
       {"newspaper yorkshire", "new yorker", "new york"},
       "new york",
       {"new york", "newspaper yorkshire", "new yorker"}},
      {"punctuation bounds a word",
       {"xab", "https://AB.example"},
       "ab",
       {"https://AB.example", "xab"}},
      {"case and Latin accents do not count",
       {"CAFÉ Crème", "Straße", "Łódź", "cafe"},
       "cafe",
       {"CAFÉ Crème", "cafe"}},
      {"a query with accents finds plain text", {"creme brulee"}, "CRÈME brûlée", {"creme brulee"}},
      {"sharp s and strokes fold to letters", {"Straße", "Łódź"}, "strasse", {"Straße"}},
      {"decomposed accents fold like composed ones",
       {"Cafe\xCC\x81 noir"},
       "café",
       {"Cafe\xCC\x81 noir"}},
      {"Cyrillic folds case", {"ПРИВЕТ мир", "привычка"}, "привет", {"ПРИВЕТ мир"}},
      {"Greek folds case", {"ΑΛΦΑ beta"}, "αλφα", {"ΑΛΦΑ beta"}},
      {"spaces around words are not part of them",
       {"alpha beta"},
       "  beta   alpha ",
       {"alpha beta"}},
      {"subsequences only near the start", {far + "a-c", "x a-c"}, "ac", {"x a-c"}},
      {"substrings as far as a search reads",
       {std::string(ClipboardSearch::searchedBytes - 6, 'x') + "needle",
        std::string(ClipboardSearch::searchedBytes - 5, 'x') + "needle"},
       "needle",
       {std::string(ClipboardSearch::searchedBytes - 6, 'x') + "needle"}},
      {"a byte that is not UTF-8 reads as Latin-1",
       {"x\xFF"
        "ab"},
       "\xC3\xBF"
       "a",
       {"x\xFF"
        "ab"}},
  };
  for (const RankingRow& row : rows) {
    ClipboardSearch search;
    EXPECT_EQ(found(search, entries(row.history), row.query), row.expected) << row.name;
  }
}

TEST(ClipboardSearchTest, ImagesNeverMatchButAQueryWithoutWordsKeepsEverything) {
  std::vector<ClipboardItem> items = entries({"ab", "cd"});
  items.insert(items.begin() + 1,
               ClipboardItem{Uuid::random(), ClipboardKind::image, "ab", Bytes{1}, 0, false, {}});
  ClipboardSearch search;
  EXPECT_EQ(search.rank(items, "ab"), (std::vector<std::size_t>{0}));
  EXPECT_EQ(search.rank(items, ""), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(search.rank(items, " \t "), (std::vector<std::size_t>{0, 1, 2}));
}

TEST(ClipboardSearchTest, EachHitKindAtItsBoundaries) {
  EXPECT_EQ(bestHit("word", "word"), SearchHit::word);
  EXPECT_EQ(bestHit("a word.", "word"), SearchHit::word);
  EXPECT_EQ(bestHit("words", "word"), SearchHit::prefix);
  EXPECT_EQ(bestHit("swords", "word"), SearchHit::substring);
  EXPECT_EQ(bestHit("sword", "word"), SearchHit::substring);
  EXPECT_EQ(bestHit("w-o-r-d", "word"), SearchHit::subsequence);
  EXPECT_EQ(bestHit("drow", "word"), std::nullopt);
  // A later, better occurrence wins over an earlier one.
  EXPECT_EQ(bestHit("swords and words then word", "word"), SearchHit::word);
  // Punctuation in the query is matched as it is.
  EXPECT_EQ(bestHit("call f(x) now", "f(x)"), SearchHit::word);
  // Letters of other scripts belong to words.
  EXPECT_EQ(bestHit("мирный", "мир"), SearchHit::prefix);
}

TEST(ClipboardSearchTest, FoldingTakesOffAccentsAndCaseAndLeavesTheRest) {
  EXPECT_EQ(foldedForSearch("ÀÉÎÕÜ àéîõü ÇÑÝÿ"), "aeiou aeiou cnyy");
  EXPECT_EQ(foldedForSearch("Æsir Œuvre ß Þorn ĳ"), "aesir oeuvre ss thorn ij");
  EXPECT_EQ(foldedForSearch("ĄĆĘŁŃŚŹŻ ČŘŠŽ Ğİş"), "acelnszz crsz gis");
  EXPECT_EQ(foldedForSearch("2×3÷4"), "2×3÷4");
  EXPECT_EQ(foldedForSearch("Ω Ж 中文 😀"), "ω ж 中文 😀");
}

TEST(ClipboardSearchTest, FoldedTextsFollowTheListWithoutGoingStale) {
  ClipboardSearch search;
  std::vector<ClipboardItem> items = entries({"first apple"});
  EXPECT_EQ(found(search, items, "apple"), (Texts{"first apple"}));
  // A new entry at the same place in the list, with other text.
  items = entries({"second pear"});
  EXPECT_EQ(found(search, items, "apple"), Texts{});
  EXPECT_EQ(found(search, items, "pear"), (Texts{"second pear"}));
}

}  // namespace
}  // namespace dovrik
