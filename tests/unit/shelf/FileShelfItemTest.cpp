// File URLs as the shelf writes and reads them, and the strictness of its stored form.
#include <gtest/gtest.h>

#include "core/shelf/FileShelfItem.h"
#include "core/shelf/FileURL.h"

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

TEST(FileShelfItemTest, OneMalformedEntryMakesTheWholeListUnreadable) {
  const std::string good =
      R"({"id":"0D7E2A8C-3C0B-4A35-9F6F-2B1B9F1F0E11","url":"file:///x","filename":"x",)"
      R"("timestamp":1,"isPinned":false})";
  ASSERT_TRUE(decodeFileShelfItems("[" + good + "]"));
  const auto without = [&](const std::string& key) {
    std::string entry = good;
    const auto start = entry.find("\"" + key + "\"");
    const auto end = entry.find_first_of(",}", start);
    entry.erase(start, end - start + (entry[end] == ',' ? 1 : 0));
    return entry;
  };
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string entry = good;
    entry.replace(entry.find(from), from.size(), to);
    return entry;
  };
  for (const std::string& bad :
       {without("id"), without("url"), without("filename"), without("timestamp"),
        without("isPinned"), replaced("\"isPinned\":false", "\"isPinned\":0"),
        replaced("\"timestamp\":1", "\"timestamp\":\"1\""),
        replaced("\"filename\":\"x\"", "\"filename\":\"x\",\"isReachable\":\"yes\""),
        replaced("file:///x", "https://example.com/x"), replaced("0D7E2A8C", "0D7E2A8"),
        std::string("[]")})
    EXPECT_EQ(decodeFileShelfItems("[" + good + "," + bad + "]"), std::nullopt) << bad;
  EXPECT_EQ(decodeFileShelfItems("{}"), std::nullopt);
}

}  // namespace
}  // namespace dovrik
