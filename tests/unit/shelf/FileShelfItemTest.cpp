// File URLs as the shelf writes and reads them, and the strictness of its stored form.
#include <gtest/gtest.h>

#include "core/shelf/FileShelfItem.h"
#include "core/shelf/FileURL.h"
#include "tests/unit/support/BrokenRecord.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

TEST(FileURLTest, NamesWithSpacesPercentLineBreaksAndAnyScriptSurviveTheRoundTrip) {
  for (const std::string path : {"/home/u/My File 100%.txt", "/home/u/Überblick/日本語 ✓.pdf",
                                 "/tmp/two\nlines", "/tmp/a#b?c", "/tmp/%41"}) {
    const std::string url = fileURLOfPath(path, false);
    EXPECT_EQ(url.find_first_of(" \n#?"), std::string::npos) << url;
    EXPECT_EQ(pathOfFileURL(url), path) << url;
  }
  EXPECT_EQ(fileURLOfPath("/home/u/My File 100%.txt", false),
            "file:///home/u/My%20File%20100%25.txt");
  EXPECT_EQ(fileURLOfPath("/home/u/Docs", true), "file:///home/u/Docs/");
  EXPECT_EQ(pathOfFileURL("FILE://localhost/tmp/x%2Fy"), "/tmp/x/y");
}

TEST(FileURLTest, DotSegmentsAreResolvedAndOnlyLocalFileURLsAreRead) {
  EXPECT_EQ(standardisedPath("/home/u/Docs/sub/.."), "/home/u/Docs/");
  EXPECT_EQ(standardisedPath("/home//u/./Docs/../x.txt"), "/home/u/x.txt");
  EXPECT_EQ(standardisedPath("/../.."), "/");
  EXPECT_EQ(fileURLOfPath("/home/u/Docs/sub/..", true), fileURLOfPath("/home/u/Docs", true));
  for (const char* url : {"https://example.com/x", "file://server/share/x", "file:relative",
                          "file:///bad%zz", "file:///cut%4", "file:///nul%00byte", ""})
    EXPECT_EQ(pathOfFileURL(url), std::nullopt) << url;
  EXPECT_EQ(lastPathComponent("/home/u/Docs/"), "Docs");
  EXPECT_EQ(lastPathComponent("/"), "");
}

TEST(FileShelfItemTest, ListsSurviveARoundTripAndOptionalFlagsTakeTheirDefaults) {
  const std::vector<FileShelfItem> items{
      {Uuid::random(), "file:///home/u/a%20b.txt", "a b.txt", 12.5, true, false, false},
      {Uuid::random(), "file:///home/u/Docs/", "Docs", -3, false, true, true}};
  const auto text = encodeFileShelfItems(items);
  ASSERT_TRUE(text);
  EXPECT_EQ(decodeFileShelfItems(*text), items);
  EXPECT_EQ(items[0].path(), "/home/u/a b.txt");
  EXPECT_EQ(items[1].path(), "/home/u/Docs");

  const auto decoded = decodeFileShelfItems(
      R"([{"id":"0d7e2a8c-3c0b-4a35-9f6f-2b1b9f1f0e11","url":"file:///x","filename":"x",)"
      R"("timestamp":1,"isPinned":false,"isDirectory":null,"extra":[1]}])");
  ASSERT_TRUE(decoded);
  EXPECT_FALSE((*decoded)[0].isDirectory);
  EXPECT_TRUE((*decoded)[0].isReachable);
  EXPECT_EQ((*decoded)[0].id.toString(), "0D7E2A8C-3C0B-4A35-9F6F-2B1B9F1F0E11");
}

const std::string kShelfEntry =
    R"({"id":"0D7E2A8C-3C0B-4A35-9F6F-2B1B9F1F0E11","url":"file:///x","filename":"x",)"
    R"("timestamp":1,"isPinned":false})";

// One entry broken in one way next to an intact one: the whole list is unreadable.
using FileShelfItemTest = ::testing::TestWithParam<test::BrokenRecord>;

TEST_P(FileShelfItemTest, OneMalformedEntryMakesTheWholeListUnreadable) {
  ASSERT_TRUE(decodeFileShelfItems("[" + kShelfEntry + "]"));
  const std::string bad = test::broken(kShelfEntry, GetParam());
  EXPECT_EQ(decodeFileShelfItems("[" + kShelfEntry + "," + bad + "]"), std::nullopt) << bad;
}

const test::BrokenRecord kBrokenShelfEntries[] = {
    {"no id", R"("id":"0D7E2A8C-3C0B-4A35-9F6F-2B1B9F1F0E11",)", ""},
    {"no url", R"("url":"file:///x",)", ""},
    {"no filename", R"("filename":"x",)", ""},
    {"no timestamp", R"("timestamp":1,)", ""},
    {"no isPinned", R"(,"isPinned":false)", ""},
    {"isPinned as a number", R"("isPinned":false)", R"("isPinned":0)"},
    {"timestamp as text", R"("timestamp":1)", R"("timestamp":"1")"},
    {"isReachable as text", R"("filename":"x")", R"("filename":"x","isReachable":"yes")"},
    {"not a file URL", "file:///x", "https://example.com/x"},
    {"short UUID", "0D7E2A8C", "0D7E2A8"},
    {"entry not an object", kShelfEntry, "[]"},
};
INSTANTIATE_TEST_SUITE_P(Rows, FileShelfItemTest, ::testing::ValuesIn(kBrokenShelfEntries),
                         test::RowName{});

TEST(FileShelfItemTest, AListThatIsNoArrayIsUnreadable) {
  EXPECT_EQ(decodeFileShelfItems("{}"), std::nullopt);
}

}  // namespace
}  // namespace dovrik
