// Reading a script's JSON messages.
#include "linux/scriptreport/ScriptReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace dovrik::scriptreport {

namespace {

std::optional<Rect> rectOf(const QJsonValue& value) {
  const QJsonObject o = value.toObject();
  for (const char* key : {"x", "y", "width", "height"}) {
    if (!o.value(QLatin1String(key)).isDouble())
      return std::nullopt;
  }
  const Rect r{o.value(QLatin1String("x")).toDouble(), o.value(QLatin1String("y")).toDouble(),
               o.value(QLatin1String("width")).toDouble(),
               o.value(QLatin1String("height")).toDouble()};
  if (r.width < 0 || r.height < 0)
    return std::nullopt;
  return r;
}

std::optional<Point> pointOf(const QJsonValue& value) {
  const QJsonObject o = value.toObject();
  if (!o.value(QLatin1String("x")).isDouble() || !o.value(QLatin1String("y")).isDouble())
    return std::nullopt;
  return Point{o.value(QLatin1String("x")).toDouble(), o.value(QLatin1String("y")).toDouble()};
}

std::string text(const QJsonObject& o, const char* key) {
  return o.value(QLatin1String(key)).toString().toStdString();
}

bool flag(const QJsonObject& o, const char* key) {
  return o.value(QLatin1String(key)).toBool();
}

std::optional<mirror::MirroredWindow> windowOf(const QJsonValue& value) {
  const QJsonObject o = value.toObject();
  mirror::MirroredWindow w;
  w.id = text(o, "id");
  const auto frame = rectOf(o.value(QLatin1String("frame")));
  if (w.id.empty() || !frame)
    return std::nullopt;
  w.frame = *frame;
  w.resourceClass = text(o, "resourceClass");
  w.resourceName = text(o, "resourceName");
  w.desktopFileName = text(o, "desktopFileName");
  w.caption = text(o, "caption");
  w.pid = static_cast<ProcessId>(o.value(QLatin1String("pid")).toDouble());
  w.minimized = flag(o, "minimized");
  w.normal = flag(o, "normal");
  w.dialog = flag(o, "dialog");
  w.dock = flag(o, "dock");
  w.desktop = flag(o, "desktop");
  w.output = text(o, "output");
  return w;
}

std::optional<std::vector<mirror::MirroredOutput>> outputsOf(const QJsonValue& value) {
  if (!value.isArray())
    return std::nullopt;
  std::vector<mirror::MirroredOutput> outputs;
  for (const QJsonValue& entry : value.toArray()) {
    const QJsonObject o = entry.toObject();
    const auto geometry = rectOf(o.value(QLatin1String("geometry")));
    const auto usable = rectOf(o.value(QLatin1String("usable")));
    if (!geometry || !usable)
      return std::nullopt;
    outputs.push_back({text(o, "name"), *geometry, *usable});
  }
  return outputs;
}

std::optional<HelloMessage> helloOf(const QJsonObject& o) {
  HelloMessage hello;
  hello.generation = o.value(QLatin1String("generation")).toInt();
  auto outputs = outputsOf(o.value(QLatin1String("outputs")));
  const QJsonValue windows = o.value(QLatin1String("windows"));
  if (!outputs || !windows.isArray())
    return std::nullopt;
  hello.outputs = std::move(*outputs);
  for (const QJsonValue& entry : windows.toArray()) {
    // One unreadable window does not hide the others.
    if (auto w = windowOf(entry))
      hello.windows.push_back(std::move(*w));
  }
  hello.activeId = text(o, "active");
  return hello;
}

std::optional<decltype(ScriptMessage::body)> bodyOf(const QJsonObject& o) {
  const std::string type = text(o, "type");
  if (type == "hello") {
    if (auto hello = helloOf(o))
      return std::move(*hello);
  } else if (type == "outputs") {
    if (auto outputs = outputsOf(o.value(QLatin1String("outputs"))))
      return OutputsMessage{std::move(*outputs)};
  } else if (type == "windowAdded" || type == "windowChanged") {
    if (auto w = windowOf(o.value(QLatin1String("window")))) {
      if (type == "windowAdded")
        return WindowAddedMessage{std::move(*w)};
      return WindowChangedMessage{std::move(*w)};
    }
  } else if (type == "windowRemoved") {
    if (std::string id = text(o, "id"); !id.empty())
      return WindowRemovedMessage{std::move(id)};
  } else if (type == "active") {
    return ActiveMessage{text(o, "id")};
  } else if (type == "moveBegin" || type == "moveStep" || type == "moveEnd") {
    const auto phase = type == "moveBegin"  ? mirror::MovePhase::begin
                       : type == "moveStep" ? mirror::MovePhase::step
                                            : mirror::MovePhase::end;
    if (std::string id = text(o, "id"); !id.empty())
      return MoveMessage{phase, std::move(id)};
  } else if (type == "stacking") {
    const QJsonValue ids = o.value(QLatin1String("ids"));
    if (!ids.isArray())
      return std::nullopt;
    StackingMessage stacking;
    for (const QJsonValue& id : ids.toArray()) {
      if (!id.isString())
        return std::nullopt;
      stacking.frontToBack.push_back(id.toString().toStdString());
    }
    return stacking;
  } else if (type == "cursor") {
    return CursorMessage{};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ScriptMessage> parseScriptMessage(const std::string& json) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  if (!document.isObject())
    return std::nullopt;
  const QJsonObject o = document.object();
  auto body = bodyOf(o);
  if (!body)
    return std::nullopt;
  return ScriptMessage{std::move(*body), pointOf(o.value(QLatin1String("cursor")))};
}

}  // namespace dovrik::scriptreport
