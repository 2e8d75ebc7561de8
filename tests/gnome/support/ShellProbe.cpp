#include "ShellProbe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

#include "GnomeSession.h"

namespace dovrik::gnometest {

QDBusMessage ShellProbe::message(const char* method) {
  return QDBusMessage::createMethodCall(
      QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/dovrik/test/Probe"),
      QStringLiteral("org.dovrik.test.Probe"), QString::fromLatin1(method));
}

QDBusMessage ShellProbe::call(QDBusMessage message) const {
  return connection_.call(message, QDBus::Block, 5000);
}

std::optional<ShownWindow> ShellProbe::window(const std::string& title) const {
  const QDBusMessage reply = call(message("Windows"));
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return std::nullopt;
  const QJsonArray windows =
      QJsonDocument::fromJson(reply.arguments().constFirst().toString().toUtf8()).array();
  for (const QJsonValue& value : windows) {
    const QJsonObject w = value.toObject();
    if (w["title"].toString().toStdString() == title)
      return ShownWindow{
          {w["x"].toDouble(), w["y"].toDouble(), w["width"].toDouble(), w["height"].toDouble()},
          w["focused"].toBool()};
  }
  return std::nullopt;
}

std::optional<Rect> ShellProbe::frame(const std::string& title) const {
  const auto shown = window(title);
  return shown ? std::optional(shown->frame) : std::nullopt;
}

bool ShellProbe::type(const QList<uint>& keyvals) const {
  QDBusMessage keys = message("Keys");
  keys << QVariant::fromValue(keyvals);
  return call(keys).type() == QDBusMessage::ReplyMessage;
}

void ShellProbe::focus(const std::string& title) const {
  QDBusMessage focus = message("Focus");
  focus << QString::fromStdString(title);
  call(focus);
}

bool ShellProbe::pointerTo(double x, double y) const {
  QDBusMessage move = message("PointerTo");
  move << x << y;
  return call(move).type() == QDBusMessage::ReplyMessage;
}

bool ShellProbe::button(bool pressed) const {
  QDBusMessage press = message("Button");
  press << pressed;
  return call(press).type() == QDBusMessage::ReplyMessage;
}

bool ShellProbe::says(const char* question) const {
  const QDBusMessage reply = call(message(question));
  return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

bool ShellProbe::screenshot(const std::string& path) const {
  QDBusMessage take = message("Screenshot");
  take << QString::fromStdString(path);
  return call(take).type() == QDBusMessage::ReplyMessage;
}

Rect frameOnMonitor(SnapPosition position) {
  const double height = GnomeSession::height;
  const Rect usable{0, 32, GnomeSession::width, height - 32};
  const Rect desktop{usable.x, height - usable.y - usable.height, usable.width, usable.height};
  const Rect snapped = snapFrame(position, desktop, 0);
  return {snapped.x, height - snapped.y - snapped.height, snapped.width, snapped.height};
}

}  // namespace dovrik::gnometest
