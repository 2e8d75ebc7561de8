#include "ScriptMessages.h"

#include <gtest/gtest.h>

#include "linux/scriptreport/ScriptReport.h"
#include "linux/scriptreport/ScriptReportFeed.h"

namespace dovrik::scriptreport::test {

namespace {

std::string rectJson(const Rect& r) {
  return R"({"x":)" + std::to_string(r.x) + R"(,"y":)" + std::to_string(r.y) + R"(,"width":)" +
         std::to_string(r.width) + R"(,"height":)" + std::to_string(r.height) + "}";
}

std::string flag(bool value) {
  return value ? "true" : "false";
}

}  // namespace

std::string windowJson(const WindowTraits& traits) {
  const mirror::MirroredWindow w = mirror::test::window(traits);
  return R"({"id":")" + w.id + R"(","resourceClass":")" + w.resourceClass +
         R"(","resourceName":")" + w.resourceName + R"(","desktopFileName":")" + w.desktopFileName +
         R"(","caption":")" + w.caption + R"(","pid":)" + std::to_string(w.pid) + R"(,"frame":)" +
         rectJson(w.frame) + R"(,"minimized":)" + flag(w.minimized) + R"(,"normal":)" +
         flag(w.normal) + R"(,"dialog":)" + flag(w.dialog) + R"(,"dock":)" + flag(w.dock) +
         R"(,"desktop":)" + flag(w.desktop) + R"(,"output":")" + w.output + R"("})";
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

void feed(mirror::WindowMirror& mirror, const std::string& json) {
  const auto message = parseScriptMessage(json);
  ASSERT_TRUE(message) << json;
  applyScriptMessage(mirror, *message);
}

}  // namespace dovrik::scriptreport::test
