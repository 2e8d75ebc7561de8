// Writing Dovrik's commands for its KWin script.
#include "linux/kwin/KWinCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace dovrik::kwin {

namespace {

QJsonObject rectObject(const Rect& r) {
  return {{QStringLiteral("x"), r.x},
          {QStringLiteral("y"), r.y},
          {QStringLiteral("width"), r.width},
          {QStringLiteral("height"), r.height}};
}

}  // namespace

std::string encodeCommands(const std::vector<ScriptCommand>& commands) {
  QJsonArray array;
  for (const ScriptCommand& command : commands) {
    if (const auto* set = std::get_if<SetFrameCommand>(&command)) {
      array.append(QJsonObject{{QStringLiteral("op"), QStringLiteral("setFrame")},
                               {QStringLiteral("id"), QString::fromStdString(set->id)},
                               {QStringLiteral("frame"), rectObject(set->frame)}});
    } else if (const auto* activate = std::get_if<ActivateCommand>(&command)) {
      array.append(QJsonObject{{QStringLiteral("op"), QStringLiteral("activate")},
                               {QStringLiteral("id"), QString::fromStdString(activate->id)}});
    } else {
      array.append(QJsonObject{{QStringLiteral("op"), QStringLiteral("cursor")}});
    }
  }
  return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace dovrik::kwin
