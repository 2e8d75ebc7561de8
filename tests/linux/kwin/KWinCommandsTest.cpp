// The commands as the KWin script reads them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "linux/kwin/KWinCommands.h"

namespace dovrik::kwin {
namespace {

TEST(KWinCommandsTest, WritesCommandsInOrderAsTheScriptReadsThem) {
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
