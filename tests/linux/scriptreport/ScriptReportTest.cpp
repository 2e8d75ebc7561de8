// Reading the scripts' messages.
#include <gtest/gtest.h>

#include "ScriptMessages.h"
#include "linux/scriptreport/ScriptReport.h"

namespace dovrik::scriptreport {
namespace {

using test::windowJson;
using test::WindowTraits;

TEST(ScriptReportTest, ReadsAHelloWithEveryPartOfAWindow) {
  const auto message = parseScriptMessage(
      test::hello(test::outputJson("DP-1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}),
                  windowJson({.id = "{a}",
                              .resourceClass = "xterm",
                              .pid = 42,
                              .frame = {10, 20, 300, 200},
                              .minimized = true,
                              .kind = "dialog"}),
                  "{a}", {5, 6}));
  ASSERT_TRUE(message);
  const auto& hello = std::get<HelloMessage>(message->body);
  EXPECT_EQ(hello.generation, 5);
  ASSERT_EQ(hello.outputs.size(), 1u);
  EXPECT_EQ(hello.outputs[0],
            (mirror::MirroredOutput{"DP-1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}}));
  ASSERT_EQ(hello.windows.size(), 1u);
  const mirror::MirroredWindow& w = hello.windows[0];
  EXPECT_EQ(w.id, "{a}");
  EXPECT_EQ(w.resourceClass, "xterm");
  EXPECT_EQ(w.caption, "Title of {a}");
  EXPECT_EQ(w.pid, 42);
  EXPECT_EQ(w.frame, (Rect{10, 20, 300, 200}));
  EXPECT_TRUE(w.minimized);
  EXPECT_TRUE(w.dialog);
  EXPECT_FALSE(w.normal);
  EXPECT_TRUE(w.isOrdinary());
  EXPECT_EQ(hello.activeId, "{a}");
  EXPECT_EQ(message->cursor, (Point{5, 6}));
}

TEST(ScriptReportTest, AHelloKeepsTheReadableWindowsOfAMixedList) {
  const auto message = parseScriptMessage(test::hello(
      "",
      windowJson({.id = "{a}"}) + R"(,{"id":"{b}"},{"frame":{"x":0,"y":0,"width":1,"height":1}})"));
  ASSERT_TRUE(message);
  const auto& hello = std::get<HelloMessage>(message->body);
  ASSERT_EQ(hello.windows.size(), 1u);
  EXPECT_EQ(hello.windows[0].id, "{a}");
}

TEST(ScriptReportTest, RefusesMessagesWithoutTheirRequiredParts) {
  for (
      const std::string& text : {
          std::string("not json"),
          std::string("[]"),
          std::string(R"({"type":"teleport"})"),
          std::string(R"({"type":"windowAdded","window":{"id":"{a}"}})"),
          std::string(
              R"({"type":"windowAdded","window":{"frame":{"x":0,"y":0,"width":1,"height":1}}})"),
          std::string(
              R"({"type":"windowChanged","window":{"id":"{a}","frame":{"x":0,"y":0,"width":-1,"height":1}}})"),
          std::string(R"({"type":"windowRemoved"})"),
          std::string(R"({"type":"moveStep"})"),
          std::string(
              R"({"type":"outputs","outputs":[{"name":"x","geometry":{"x":0,"y":0,"width":1,"height":1}}]})"),
          std::string(R"({"type":"hello","outputs":[],"windows":{}})"),
          std::string(R"({"type":"stacking"})"),
          std::string(R"({"type":"stacking","ids":["{a}",7]})"),
      }) {
    EXPECT_FALSE(parseScriptMessage(text)) << text;
  }
}

TEST(ScriptReportTest, ReadsEachMessageTypeAndAMissingCursorAsNone) {
  const auto added =
      parseScriptMessage(R"({"type":"windowAdded","window":)" + windowJson({.id = "{w}"}) + "}");
  ASSERT_TRUE(added);
  EXPECT_EQ(std::get<WindowAddedMessage>(added->body).window.id, "{w}");
  EXPECT_FALSE(added->cursor);

  const auto removed = parseScriptMessage(R"({"type":"windowRemoved","id":"{w}","extra":1})");
  ASSERT_TRUE(removed);
  EXPECT_EQ(std::get<WindowRemovedMessage>(removed->body).id, "{w}");

  const auto noActive = parseScriptMessage(R"({"type":"active","id":""})");
  ASSERT_TRUE(noActive);
  EXPECT_EQ(std::get<ActiveMessage>(noActive->body).id, "");

  const auto stacking = parseScriptMessage(R"({"type":"stacking","ids":["{b}","{a}"]})");
  ASSERT_TRUE(stacking);
  EXPECT_EQ(std::get<StackingMessage>(stacking->body).frontToBack,
            (std::vector<std::string>{"{b}", "{a}"}));
  const auto end = parseScriptMessage(R"({"type":"moveEnd","id":"{w}","cursor":{"x":-3.5,"y":7}})");
  ASSERT_TRUE(end);
  EXPECT_EQ(std::get<MoveMessage>(end->body).phase, mirror::MovePhase::end);
  EXPECT_EQ(end->cursor, (Point{-3.5, 7}));
}

}  // namespace
}  // namespace dovrik::scriptreport
