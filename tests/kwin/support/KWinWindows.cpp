// Scripts that list, place and activate windows, written for KWin 5 and 6 alike.
#include "KWinWindows.h"

#include "Await.h"

namespace dovrik::kwintest {

namespace {

// KWin 6 renamed clients to windows.
constexpr const char* allWindows =
    "var all = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
    "var active = workspace.activeWindow !== undefined ? workspace.activeWindow "
    ": workspace.activeClient;\n";

std::optional<std::vector<KWinWindow>> decode(const nlohmann::json& list) {
  if (!list.is_array())
    return std::nullopt;
  std::vector<KWinWindow> windows;
  for (const auto& w : list) {
    const auto& f = w.at("frame");
    windows.push_back({w.at("caption"), w.at("resourceClass"), w.at("desktopFileName"),
                       Frame{f.at("x"), f.at("y"), f.at("width"), f.at("height")}, w.at("active")});
  }
  return windows;
}

std::string quoted(const std::string& text) {
  return nlohmann::json(text).dump();
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Frame& frame) {
  return out << frame.x << "," << frame.y << " " << frame.width << "x" << frame.height;
}

std::optional<std::vector<KWinWindow>> KWinWindows::list() {
  const auto result = scripts_.evaluate(
      std::string(allWindows) +
      "return all.filter(function (w) { return w.normalWindow; }).map(function (w) {\n"
      "  var g = w.frameGeometry;\n"
      "  return {caption: w.caption, resourceClass: String(w.resourceClass),\n"
      "          desktopFileName: String(w.desktopFileName), active: w === active,\n"
      "          frame: {x: Math.round(g.x), y: Math.round(g.y), width: Math.round(g.width),\n"
      "                  height: Math.round(g.height)}};\n"
      "});");
  return result ? decode(*result) : std::nullopt;
}

std::optional<KWinWindow> KWinWindows::titled(const std::string& caption) {
  const auto windows = list();
  if (windows)
    for (const auto& window : *windows)
      if (window.caption == caption)
        return window;
  return std::nullopt;
}

std::optional<KWinWindow> KWinWindows::awaitTitled(const std::string& caption,
                                                   std::chrono::milliseconds timeout) {
  std::optional<KWinWindow> found;
  await([&] { return (found = titled(caption)).has_value(); }, timeout);
  return found;
}

bool KWinWindows::awaitFrame(const std::string& caption, const Frame& frame,
                             std::chrono::milliseconds timeout) {
  return await(
      [&] {
        const auto window = titled(caption);
        return window && window->frame == frame;
      },
      timeout);
}

bool KWinWindows::withWindow(const std::string& caption, const std::string& body) {
  const auto result = scripts_.evaluate(
      std::string(allWindows) +
      "var window = all.filter(function (w) {\n  return w.normalWindow && w.caption === " +
      quoted(caption) + ";\n})[0];\nif (!window) return false;\n" + body + "\nreturn true;");
  return result && *result == true;
}

bool KWinWindows::setFrame(const std::string& caption, const Frame& frame) {
  return withWindow(caption, "window.frameGeometry = {x: " + std::to_string(frame.x) +
                                 ", y: " + std::to_string(frame.y) +
                                 ", width: " + std::to_string(frame.width) +
                                 ", height: " + std::to_string(frame.height) + "};");
}

bool KWinWindows::activate(const std::string& caption) {
  if (!withWindow(caption,
                  "if (workspace.activeWindow !== undefined) workspace.activeWindow = "
                  "window; else workspace.activeClient = window;"))
    return false;
  return await(
      [&] {
        const auto window = titled(caption);
        return window && window->active;
      },
      std::chrono::seconds(5));
}

bool KWinWindows::watchFrames(const std::string& caption) {
  if (!titled(caption))
    return false;
  return scripts_.keep(
      std::string("(function () {\n") + allWindows +
      "var window = all.filter(function (w) {\n  return w.normalWindow && w.caption === " +
      quoted(caption) +
      ";\n})[0];\nvar frames = [];\n"
      "window.frameGeometryChanged.connect(function () {\n"
      "  var g = window.frameGeometry;\n"
      "  frames.push({x: Math.round(g.x), y: Math.round(g.y), width: Math.round(g.width),\n"
      "               height: Math.round(g.height)});\n"
      "  report(" +
      quoted("frames " + caption) + ", frames);\n});\n})();");
}

std::vector<Frame> KWinWindows::framesSeen(const std::string& caption) {
  std::vector<Frame> frames;
  const auto seen = scripts_.reported("frames " + caption);
  if (seen && seen->is_array())
    for (const auto& f : *seen)
      frames.push_back(Frame{f.at("x"), f.at("y"), f.at("width"), f.at("height")});
  return frames;
}

}  // namespace dovrik::kwintest
