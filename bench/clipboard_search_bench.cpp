// What one keystroke in the clipboard popup's search costs: ranking a full history of 500
// entries, five of them texts of 2 MB, as a query is typed letter by letter.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/clipboard/ClipboardSearch.h"

namespace dovrik {
namespace {

constexpr std::size_t historySize = 500;
constexpr std::size_t largeTexts = 5;
constexpr std::size_t largeTextBytes = 2u << 20;

// Words of mixed case and accents, so that folding and the first-letter scans have work to do.
const std::vector<std::string> vocabulary{
    "Meeting", "moved", "to",     "Thursday", "the",     "report", "café",    "Straße",
    "deploy",  "error", "Failed", "build",    "request", "https",  "example", "naïve",
    "über",    "token", "update", "merge",    "branch",  "ticket", "review",  "tomorrow"};

std::string textOf(std::mt19937& random, std::size_t bytes) {
  std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
  std::string text;
  while (text.size() < bytes) {
    text += vocabulary[pick(random)];
    text += ' ';
  }
  return text;
}

std::vector<ClipboardItem> history() {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> shortSize(40, 400);
  std::vector<ClipboardItem> items;
  for (std::size_t i = 0; i < historySize; ++i) {
    const std::size_t bytes =
        i % (historySize / largeTexts) == 3 ? largeTextBytes : shortSize(random);
    items.push_back(
        {Uuid::random(), ClipboardKind::text, textOf(random, bytes), std::nullopt, 0, false, {}});
  }
  return items;
}

// The prefixes of a query, one per keystroke, as the popup sees them while it is typed.
const std::vector<std::string> keystrokes{"m",      "mt",      "mtg", "mtg ", "mtg t",
                                          "mtg th", "mtg thu", "q",   "qz",   "qzx"};

// Keystrokes after the first: every entry's folded text is at hand.
void BM_SearchKeystroke(benchmark::State& state) {
  const std::vector<ClipboardItem> items = history();
  ClipboardSearch search;
  search.rank(items, "warm");
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search.rank(items, keystrokes[next]));
    next = (next + 1) % keystrokes.size();
  }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

// The worst single keystroke: a query whose letters are everywhere but never in order, so
// every occurrence scan and every subsequence window runs to its end.
void BM_SearchKeystrokeNoMatch(benchmark::State& state) {
  const std::vector<ClipboardItem> items = history();
  ClipboardSearch search;
  search.rank(items, "warm");
  for (auto _ : state)
    benchmark::DoNotOptimize(search.rank(items, "ytrewq"));
}
BENCHMARK(BM_SearchKeystrokeNoMatch)->Unit(benchmark::kMillisecond);

// The popup's opening on a history it has not searched: folding every entry once, so that no
// keystroke has to.
void BM_SearchPrepareAtOpening(benchmark::State& state) {
  const std::vector<ClipboardItem> items = history();
  for (auto _ : state) {
    ClipboardSearch search;
    search.prepare(items);
    benchmark::DoNotOptimize(search);
  }
}
BENCHMARK(BM_SearchPrepareAtOpening)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dovrik

BENCHMARK_MAIN();
