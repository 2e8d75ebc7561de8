// Clipboard entries: stored form, strict reading, age texts and trimming.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clipboard/ClipboardItem.h"
#include "core/clipboard/ClipboardText.h"
#include "core/platform/PlainLocale.h"
#include "core/support/Base64.h"
#include "core/support/JsonNesting.h"
#include "tests/unit/support/BrokenRecord.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

constexpr const char* id1 = "0F0E0D0C-0B0A-4908-8706-050403020100";

TEST(ClipboardItemTest, ListsSurviveARoundTripIncludingImagesAndPins) {
  const std::vector<ClipboardItem> items{
      {*Uuid::fromString(id1),
       ClipboardKind::link,
       "https://a.example",
       std::nullopt,
       12.5,
       true,
       {}},
      {Uuid::random(), ClipboardKind::image, "", Bytes{0, 1, 2, 250, 255}, 13, false, {}}};
  const std::string text = encodeClipboardItems(items);
  const std::string start =
      std::string(R"([{"id":")") + id1 + R"(","kind":"link","text":"https://a.example",)";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(decodeClipboardItems(text), items);
}

// The other forms of a copy come back byte for byte, binary ones included, in their order; an
// entry without them writes no key, so the file reads as before, and earlier versions, which
// refuse anything nested deeper than objects in one array, still read a file with them.
TEST(ClipboardItemTest, KeptFormatsSurviveARoundTripInAKeyOlderReadersSkip) {
  ClipboardItem rich{.id = *Uuid::fromString(id1),
                     .kind = ClipboardKind::text,
                     .text = "bold words",
                     .imageData = std::nullopt,
                     .timestamp = 3,
                     .isPinned = false,
                     .formats = ClipboardFormats({{"text/html", "<b>bold</b> words"},
                                                  {"image/png", std::string("\x89PNG\0\xff", 6)},
                                                  {"text/uri-list", "file:///a%20b\r\n"}})};
  ClipboardItem plain = rich;
  plain.id = Uuid::random();
  plain.formats = {};
  const std::string text = encodeClipboardItems({rich, plain});
  EXPECT_EQ(decodeClipboardItems(text), (std::vector<ClipboardItem>{rich, plain}));
  EXPECT_NE(text.find(R"("formats":"data:text/html;base64,PGI+Ym9sZDwvYj4gd29yZHM= data:)"),
            std::string::npos);
  EXPECT_EQ(text.find("formats"), text.rfind("formats"));  // the plain entry has none
  EXPECT_TRUE(nestsWithin(text, 2));

  const std::string older = std::string(R"([{"id":")") + id1 +
                            R"(","kind":"text","text":"x","timestamp":1.5,"isPinned":false}])";
  const auto items = decodeClipboardItems(older);
  ASSERT_TRUE(items);
  EXPECT_TRUE((*items)[0].formats.empty());
  EXPECT_EQ(encodeClipboardItems(*items), older);
}

TEST(ClipboardItemTest, AMissingKindIsDerivedFromTheImageAndTheText) {
  const auto items = decodeClipboardItems(std::string(R"([
    {"id":")") + id1 + R"(","text":"  http://x","timestamp":1,"isPinned":false},
    {"id":")" + id1 + R"(","text":"HTTPS://x","timestamp":1,"isPinned":false},
    {"id":")" + id1 + R"(","imageData":"AAE=","timestamp":1,"isPinned":true}])");
  ASSERT_TRUE(items);
  EXPECT_EQ((*items)[0].kind, ClipboardKind::link);
  EXPECT_EQ((*items)[1].kind, ClipboardKind::text);
  EXPECT_EQ((*items)[2].kind, ClipboardKind::image);
  EXPECT_EQ((*items)[2].text, "");
}

const std::string kGoodClipboardEntry =
    std::string(R"({"id":")") + id1 + R"(","timestamp":1,"isPinned":false})";

// A list of one entry broken in one way.
using ClipboardItemTest = ::testing::TestWithParam<test::BrokenRecord>;

TEST_P(ClipboardItemTest, OneMalformedEntryMakesTheWholeListUnreadable) {
  EXPECT_FALSE(decodeClipboardItems("[" + test::broken(kGoodClipboardEntry, GetParam()) + "]"));
}

const test::BrokenRecord kBrokenClipboardEntries[] = {
    {"no id", std::string(R"("id":")") + id1 + R"(",)", ""},
    {"id not a UUID", id1, "x"},
    {"no timestamp", R"("timestamp":1,)", ""},
    {"timestamp as text", R"("timestamp":1)", R"("timestamp":"1")"},
    {"no isPinned", R"(,"isPinned":false)", ""},
    {"isPinned null", R"("isPinned":false)", R"("isPinned":null)"},
    {"unknown kind", R"("timestamp")", R"("kind":"file","timestamp")"},
    {"text a number", R"("timestamp")", R"("text":5,"timestamp")"},
    {"bad base64", R"("timestamp")", R"("imageData":"A=B=","timestamp")"},
    {"formats as a list", R"(false})", R"(false,"formats":[]})"},
    {"format without base64", R"(false})", R"(false,"formats":"data:a,b"})"},
    {"format without type", R"(false})", R"(false,"formats":"data:;base64,YQ=="})"},
    {"format bad base64", R"(false})", R"(false,"formats":"data:text/html;base64,A=B="})"},
};
INSTANTIATE_TEST_SUITE_P(Rows, ClipboardItemTest, ::testing::ValuesIn(kBrokenClipboardEntries),
                         test::RowName{});

TEST(ClipboardItemTest, OnlyAnArrayOfEntriesIsReadable) {
  const std::pair<const char*, std::string> unreadable[] = {
      {"not JSON", "[{"},
      {"not an array", "{}"},
      {"entry not an object", "[" + kGoodClipboardEntry + ",3]"},
      {"nested too deep",
       "[" + kGoodClipboardEntry + "," + std::string(100, '[') + std::string(100, ']') + "]"},
  };
  for (const auto& [name, text] : unreadable)
    EXPECT_FALSE(decodeClipboardItems(text)) << name;
  EXPECT_TRUE(decodeClipboardItems("[" + kGoodClipboardEntry + "]"));
}

TEST(ClipboardItemTest, UnknownKeysAreIgnoredWhateverTheyHold) {
  const std::string known = std::string(R"("id":")") + id1 + R"(","timestamp":1,"isPinned":true)";
  for (const std::string unknown :
       {R"("source":"app")", R"("source":{"app":"editor","window":[1,2]})", R"("tags":[])",
        R"("history":[{"at":[[{"x":1}]]}])"}) {
    const auto items = decodeClipboardItems("[{" + unknown + "," + known + "}]");
    ASSERT_TRUE(items) << unknown;
    EXPECT_EQ((*items)[0].id.toString(), id1);
    EXPECT_TRUE((*items)[0].isPinned);
  }
}

TEST(ClipboardItemTest, InvalidUtf8IsWrittenReplacedInsteadOfFailing) {
  const std::vector<ClipboardItem> items{{Uuid::random(),
                                          ClipboardKind::text,
                                          "a\xFF"
                                          "b",
                                          std::nullopt,
                                          1,
                                          false,
                                          {}}};
  const auto back = decodeClipboardItems(encodeClipboardItems(items));
  ASSERT_TRUE(back);
  EXPECT_EQ((*back)[0].text,
            "a\xEF\xBF\xBD"
            "b");
}

TEST(ClipboardItemTest, RelativeTimeAcrossEveryBoundary) {
  // Noon UTC on 2024-03-05, so the local date is the same day in nearly every time zone.
  const double stamp = 731332800;
  const ClipboardItem item{
      Uuid::random(), ClipboardKind::text, "a", std::nullopt, stamp, false, {}};
  const PlainLocale locale;
  EXPECT_EQ(item.relativeTime(stamp - 30, locale), "Just now");
  EXPECT_EQ(item.relativeTime(stamp + 4.99, locale), "Just now");
  EXPECT_EQ(item.relativeTime(stamp + 5, locale), "5s ago");
  EXPECT_EQ(item.relativeTime(stamp + 59.9, locale), "59s ago");
  EXPECT_EQ(item.relativeTime(stamp + 60, locale), "1m ago");
  EXPECT_EQ(item.relativeTime(stamp + 3599, locale), "59m ago");
  EXPECT_EQ(item.relativeTime(stamp + 3600, locale), "1h ago");
  EXPECT_EQ(item.relativeTime(stamp + 86399, locale), "23h ago");
  EXPECT_EQ(item.relativeTime(stamp + 86400, locale), "Mar 5");
}

TEST(ClipboardTextTest, TrimsUnicodeSpaceAndFindsLinksAndFirstLines) {
  EXPECT_EQ(trimmedText("  word\n"), "word");
  EXPECT_EQ(trimmedText("\u00A0\u3000a b\u2029\r\n"), "a b");
  EXPECT_EQ(trimmedText(" \t\n"), "");
  EXPECT_EQ(kindOfText("https://x"), ClipboardKind::link);
  EXPECT_EQ(kindOfText("example.com"), ClipboardKind::text);
  EXPECT_EQ(firstLine("one\r\ntwo"), "one");
  EXPECT_EQ(base64Decode(base64Encode(Bytes{1, 2, 3, 4})), (Bytes{1, 2, 3, 4}));
}

}  // namespace
}  // namespace dovrik
