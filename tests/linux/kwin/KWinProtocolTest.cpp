// Reading the script's messages and writing Dovrik's commands.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ScriptMessages.h"
#include "linux/kwin/KWinProtocol.h"

namespace dovrik::kwin {
namespace {

using test::windowJson;
using test::WindowTraits;

TEST(KWinProtocolTest, ReadsAHelloWithEveryPartOfAWindow) {
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

TEST(KWinProtocolTest, AHelloKeepsTheReadableWindowsOfAMixedList) {
  const auto message = parseScriptMessage(test::hello(
      "",
      windowJson({.id = "{a}"}) + R"(,{"id":"{b}"},{"frame":{"x":0,"y":0,"width":1,"height":1}})"));
  ASSERT_TRUE(message);
  const auto& hello = std::get<HelloMessage>(message->body);
  ASSERT_EQ(hello.windows.size(), 1u);
  EXPECT_EQ(hello.windows[0].id, "{a}");
}

TEST(KWinProtocolTest, RefusesMessagesWithoutTheirRequiredParts) {
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
      }) {
    EXPECT_FALSE(parseScriptMessage(text)) << text;
  }
}

TEST(KWinProtocolTest, ReadsEachMessageTypeAndAMissingCursorAsNone) {
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

  const auto end = parseScriptMessage(R"({"type":"moveEnd","id":"{w}","cursor":{"x":-3.5,"y":7}})");
  ASSERT_TRUE(end);
  EXPECT_EQ(std::get<MoveMessage>(end->body).phase, mirror::MovePhase::end);
  EXPECT_EQ(end->cursor, (Point{-3.5, 7}));
}

TEST(KWinProtocolTest, WritesCommandsInOrderAsTheScriptReadsThem) {
  const std::string json = encodeCommands(
      {SetFrameCommand{"{a}", {-1920, 0, 960.5, 1080}}, ActivateCommand{"{b}"}, CursorCommand{}});
  const QJsonArray commands = QJsonDocument::fromJson(QByteArray::fromStdString(json)).array();
  ASSERT_EQ(commands.size(), 3);
  const QJsonObject set = commands[0].toObject();
  EXPECT_EQ(set["op"].toString(), "setFrame");
  EXPECT_EQ(set["id"].toString(), "{a}");
  EXPECT_EQ(set["frame"].toObject()["x"].toDouble(), -1920);
  EXPECT_EQ(set["frame"].toObject()["width"].toDouble(), 960.5);
  EXPECT_EQ(commands[1].toObject()["op"].toString(), "activate");
  EXPECT_EQ(commands[1].toObject()["id"].toString(), "{b}");
  EXPECT_EQ(commands[2].toObject()["op"].toString(), "cursor");
  EXPECT_EQ(encodeCommands({}), "[]");
}

}  // namespace
}  // namespace dovrik::kwin
