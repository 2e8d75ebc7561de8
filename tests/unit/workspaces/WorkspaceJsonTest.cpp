// The stored form of saved layouts: what is written, and which inputs the strict reading
// refuses as a whole.
#include <gtest/gtest.h>

#include <string>

#include "core/workspaces/Workspace.h"
#include "tests/unit/support/BrokenRecord.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

const char* const kId = "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9";

Workspace sample() {
  Workspace w;
  w.id = *Uuid::fromString(kId);
  w.name = "Desk";
  w.windows = {{"com.example.editor", "Editor", "notes.txt", 2, "AAAA", {-0.1, 0.25, 0.5, 1}},
               {"com.example.term", "Terminal", "", 0, "BBBB", {0.5, 0, 0.5, 0.5}}};
  w.displaySignature = "AAAA|BBBB";
  w.autoRestore = true;
  w.shortcut = KeyboardShortcut{Key::d, {Modifier::control, Modifier::option}};
  w.createdAt = 800000000.123456;
  return w;
}

// One valid stored record, edited by each table row.
std::string validRecord() {
  return R"({"id":"0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9","name":"Desk","windows":[)"
         R"({"bundleIdentifier":"b","appName":"A","windowTitle":"","windowIndex":0,)"
         R"("displayUUID":"U","fractionalFrame":[[0,0],[0.5,1]]}],)"
         R"("displaySignature":"U","autoRestore":false,"createdAt":1.5})";
}

TEST(WorkspaceJsonTest, RoundTripKeepsEveryFieldAndWritesTheAgreedShape) {
  Workspace plain = sample();
  plain.shortcut.reset();
  const std::vector<Workspace> list = {sample(), plain};
  const auto text = encodeWorkspaces(list);
  ASSERT_TRUE(text);
  EXPECT_EQ(decodeWorkspaces(*text), list);

  const Json json = Json::parse(*text);
  EXPECT_EQ(json[0]["id"], kId);
  EXPECT_EQ(json[0]["windows"][0]["fractionalFrame"], Json::parse("[[-0.1,0.25],[0.5,1.0]]"));
  EXPECT_EQ(json[0]["createdAt"].get<double>(), 800000000.123456);
  EXPECT_TRUE(json[0].contains("shortcut"));
  EXPECT_FALSE(json[1].contains("shortcut"));
  EXPECT_EQ(text->find('\n'), std::string::npos);
}

TEST(WorkspaceJsonTest, AbsentOrNullShortcutMeansNoneAndKeysMayComeInAnyOrder) {
  const auto absent = decodeWorkspaces("[" + validRecord() + "]");
  ASSERT_TRUE(absent);
  EXPECT_FALSE(absent->front().shortcut);
  const auto null = decodeWorkspaces("[" +
                                     test::replaced(validRecord(), R"("createdAt")",
                                                    R"("shortcut":null,"extra":[1],"createdAt")") +
                                     "]");
  ASSERT_TRUE(null);
  EXPECT_FALSE(null->front().shortcut);
  EXPECT_EQ(decodeWorkspaces("[]"), std::vector<Workspace>{});
}

// One record broken in one way next to an intact one: the whole list does not decode.
using WorkspaceJsonTest = ::testing::TestWithParam<test::BrokenRecord>;

TEST_P(WorkspaceJsonTest, OneMalformedRecordMakesTheWholeListUndecodable) {
  const std::string broken = test::broken(validRecord(), GetParam());
  EXPECT_FALSE(decodeWorkspaces("[" + validRecord() + "," + broken + "]"));
}

const test::BrokenRecord kBrokenWorkspaces[] = {
    {"missing autoRestore", R"("autoRestore":false,)", ""},
    {"missing id", R"("id":"0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9",)", ""},
    {"missing window title", R"("windowTitle":"",)", ""},
    {"missing createdAt", R"(,"createdAt":1.5)", ""},
    {"name not a string", R"("name":"Desk")", R"("name":7)"},
    {"autoRestore as a number", R"("autoRestore":false)", R"("autoRestore":0)"},
    {"autoRestore as text", R"("autoRestore":false)", R"("autoRestore":"false")"},
    {"fractional window index", R"("windowIndex":0)", R"("windowIndex":0.5)"},
    {"index beyond 64 bits", R"("windowIndex":0)", R"("windowIndex":18446744073709551615)"},
    {"createdAt as text", R"("createdAt":1.5)", R"("createdAt":"1.5")"},
    {"short UUID", "4B5A-4978", "4B5A-497"},
    {"UUID without hyphens", "0F1E2D3C-4B5A", "0F1E2D3Cx4B5A"},
    {"UUID with a non-hex digit", "0F1E2D3C", "0F1E2D3G"},
    {"infinite createdAt", R"("createdAt":1.5)", R"("createdAt":1e999)"},
    {"infinite fraction", "[0.5,1]", "[0.5,-1e400]"},
    {"frame of one pair", "[[0,0],[0.5,1]]", "[[0,0]]"},
    {"frame pair of three", "[0.5,1]", "[0.5,1,2]"},
    {"frame as an object", "[[0,0],[0.5,1]]", R"({"x":0})"},
    {"frame number as text", "[0.5,1]", R"(["0.5",1])"},
    {"windows not an array", R"("windows":[)", R"("windows":{"a":)"},
    {"window not an object", R"("windows":[)", R"("windows":[1,)"},
    {"shortcut with unknown key", R"("createdAt")",
     R"("shortcut":{"key":"F1","modifiers":[]},"createdAt")"},
    {"shortcut as text", R"("createdAt")", R"("shortcut":"d","createdAt")"},
};
INSTANTIATE_TEST_SUITE_P(Rows, WorkspaceJsonTest, ::testing::ValuesIn(kBrokenWorkspaces),
                         test::RowName{});

TEST(WorkspaceJsonTest, TextsThatAreNoListOfRecordsDoNotDecode) {
  for (const std::string& text : std::vector<std::string>{
           "", "{}", "null", R"({"id":1})", "[" + validRecord(), "[1]", "[null]",
           std::string(100000, '[') + std::string(100000, ']'),
           "[" +
               test::replaced(
                   validRecord(), R"("name":"Desk")",
                   R"("name":"Desk","deep":)" + std::string(40, '[') + std::string(40, ']')) +
               "]"}) {
    SCOPED_TRACE(text.substr(0, 40));
    EXPECT_FALSE(decodeWorkspaces(text));
  }
}

TEST(WorkspaceJsonTest, NonFiniteNumbersAreNeverWritten) {
  Workspace w = sample();
  w.windows[1].fractionalFrame.width = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(encodeWorkspaces({w}));
  w = sample();
  w.createdAt = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(encodeWorkspaces({w}));
}

TEST(UuidTest, RandomIdentifiersAreVersionFourAndDistinct) {
  const Uuid a = Uuid::random();
  const Uuid b = Uuid::random();
  EXPECT_NE(a, b);
  const std::string text = a.toString();
  EXPECT_EQ(text[14], '4');
  EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
  EXPECT_EQ(Uuid::fromString(text), a);
}

}  // namespace
}  // namespace dovrik
