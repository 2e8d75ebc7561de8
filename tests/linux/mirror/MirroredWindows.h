// Windows as a compositor would report them, for feeding the mirror in tests.
#pragma once

#include <string>

#include "core/platform/Geometry.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::mirror::test {

struct WindowTraits {
  std::string id;
  std::string resourceClass = "app";
  std::string resourceName = {};
  std::string desktopFileName = {};
  long pid = 100;
  Rect frame{0, 0, 100, 100};
  bool minimized = false;
  std::string kind = "normal";  // normal, dialog, dock, desktop, other
};

// Captioned "Title of <id>", on output "0".
MirroredWindow window(const WindowTraits& traits);

}  // namespace dovrik::mirror::test
