#include "ScriptMessages.h"

#include <gtest/gtest.h>

namespace dovrik::kwin::test {

namespace {

std::string rectJson(const Rect& r) {
  return R"({"x":)" + std::to_string(r.x) + R"(,"y":)" + std::to_string(r.y) + R"(,"width":)" +
         std::to_string(r.width) + R"(,"height":)" + std::to_string(r.height) + "}";
}

std::string flag(bool value) {
  return value ? "true" : "false";
}

}  // namespace

std::string windowJson(const WindowSpec& w) {
  return R"({"id":")" + w.id + R"(","resourceClass":")" + w.resourceClass +
         R"(","resourceName":")" + w.resourceName + R"(","desktopFileName":")" + w.desktopFileName +
         R"(","caption":"Title of )" + w.id + R"(","pid":)" + std::to_string(w.pid) +
         R"(,"frame":)" + rectJson(w.frame) + R"(,"minimized":)" + flag(w.minimized) +
         R"(,"normal":)" + flag(w.kind == "normal") + R"(,"dialog":)" + flag(w.kind == "dialog") +
         R"(,"dock":)" + flag(w.kind == "dock") + R"(,"desktop":)" + flag(w.kind == "desktop") +
         R"(,"output":"0"})";
}

std::string outputJson(const std::string& name, const Rect& geometry, const Rect& usable) {
  return R"({"name":")" + name + R"(","geometry":)" + rectJson(geometry) + R"(,"usable":)" +
         rectJson(usable) + "}";
}

std::string hello(const std::string& outputs, const std::string& windows, const std::string& active,
                  Point cursor) {
  return R"({"type":"hello","generation":5,"outputs":[)" + outputs + R"(],"windows":[)" + windows +
         R"(],"active":")" + active + R"(","cursor":{"x":)" + std::to_string(cursor.x) +
         R"(,"y":)" + std::to_string(cursor.y) + "}}";
}

void feed(KWinMirror& mirror, const std::string& json) {
  const auto message = parseScriptMessage(json);
  ASSERT_TRUE(message) << json;
  mirror.apply(*message);
}

}  // namespace dovrik::kwin::test
