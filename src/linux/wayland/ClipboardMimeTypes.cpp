// The types of Dovrik's own clipboard offers.
#include "linux/wayland/ClipboardMimeTypes.h"

namespace dovrik::wayland {
namespace {

constexpr std::string_view markerPrefix = "application/x-dovrik-write;";

}  // namespace

std::vector<std::string> utf8TextTypes() {
  return {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "TEXT"};
}

std::string ownWriteMarker(long processId, unsigned long serial) {
  return std::string(markerPrefix) + "pid=" + std::to_string(processId) +
         ";serial=" + std::to_string(serial);
}

bool isOwnWriteMarker(std::string_view type) {
  return type.starts_with(markerPrefix);
}

}  // namespace dovrik::wayland
