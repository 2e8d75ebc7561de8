// Messages as Dovrik's compositor scripts write them, for feeding the mirror in tests.
#pragma once

#include <string>

#include "MirroredWindows.h"
#include "core/platform/Geometry.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::scriptreport::test {

using mirror::test::WindowTraits;

std::string windowJson(const WindowTraits& w);
std::string outputJson(const std::string& name, const Rect& geometry, const Rect& usable);
// `windows` and `outputs` are comma-separated JSON objects.
std::string hello(const std::string& outputs, const std::string& windows,
                  const std::string& active = "", Point cursor = {0, 0});

// Parses and applies to the mirror; fails the test when the text is not a message.
void feed(mirror::WindowMirror& mirror, const std::string& json);

}  // namespace dovrik::scriptreport::test
