// Command text.
#include "linux/i3ipc/CommandText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dovrik::i3ipc {

namespace {

// Fractional frames round like the X11 mover: position down, size up, with a tolerance for
// arithmetic noise, so halves of an odd width still meet.
long pixelPosition(double value) {
  return static_cast<long>(std::floor(value + 1e-6));
}
long pixelSize(double value) {
  return std::max(1L, static_cast<long>(std::ceil(value - 1e-6)));
}

}  // namespace

std::string quotedArgument(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  for (const char c : text) {
    if (c == '"' || c == '\\')
      out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string conCriteria(std::int64_t conId) {
  return "[con_id=" + std::to_string(conId) + "]";
}

std::string x11WindowCriteria(std::uint32_t window) {
  char text[32];
  std::snprintf(text, sizeof text, "[id=0x%x]", static_cast<unsigned>(window));
  return text;
}

std::string placeFloating(std::string_view criteria, const Rect& frame) {
  std::string command(criteria);
  command += " floating enable, resize set " + std::to_string(pixelSize(frame.width)) + " px " +
             std::to_string(pixelSize(frame.height)) + " px, move absolute position " +
             std::to_string(pixelPosition(frame.x)) + " px " +
             std::to_string(pixelPosition(frame.y)) + " px";
  return command;
}

}  // namespace dovrik::i3ipc
