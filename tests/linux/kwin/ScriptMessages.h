// Script messages as the KWin script writes them, for feeding the mirror in tests.
#pragma once

#include <string>

#include "core/platform/Geometry.h"
#include "linux/kwin/KWinMirror.h"
#include "linux/kwin/KWinProtocol.h"

namespace dovrik::kwin::test {

struct WindowSpec {
  std::string id;
  std::string resourceClass = "app";
  std::string resourceName = {};
  std::string desktopFileName = {};
  long pid = 100;
  Rect frame{0, 0, 100, 100};
  bool minimized = false;
  std::string kind = "normal";  // normal, dialog, dock, desktop, other
};

std::string windowJson(const WindowSpec& w);
std::string outputJson(const std::string& name, const Rect& geometry, const Rect& usable);
// `windows` and `outputs` are comma-separated JSON objects.
std::string hello(const std::string& outputs, const std::string& windows,
                  const std::string& active = "", Point cursor = {0, 0});

// Parses and applies; fails the test when the text is not a message.
void feed(KWinMirror& mirror, const std::string& json);

}  // namespace dovrik::kwin::test
