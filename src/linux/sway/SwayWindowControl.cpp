#include "linux/sway/SwayWindowControl.h"

#include <charconv>
#include <optional>

#include "linux/i3ipc/CommandReply.h"
#include "linux/i3ipc/CommandText.h"

namespace dovrik::sway {
namespace {

// The mirror's ids are sway's container ids written out.
std::optional<std::int64_t> containerId(const std::string& id) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), value);
  if (error != std::errc() || end != id.data() + id.size())
    return std::nullopt;
  return value;
}

}  // namespace

void SwayWindowControl::setFrame(const std::string& id, const Rect& frame) {
  if (const auto container = containerId(id))
    run(i3ipc::placeFloating(i3ipc::conCriteria(*container), frame));
}

void SwayWindowControl::activate(const std::string& id) {
  if (const auto container = containerId(id))
    run(i3ipc::conCriteria(*container) + " focus");
}

void SwayWindowControl::run(const std::string& command) {
  const auto outcomes = client_.runCommand(command);
  if (!(outcomes && i3ipc::allSucceeded(*outcomes)) && refused_)
    refused_();
}

}  // namespace dovrik::sway
