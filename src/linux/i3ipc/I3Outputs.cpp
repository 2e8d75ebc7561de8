// Reading the output list.
#include "linux/i3ipc/I3Outputs.h"

#include <utility>

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

std::optional<std::vector<I3Output>> decodeOutputs(std::string_view text) {
  return decodeArray<I3Output>(text, [](const Json& entry) -> std::optional<I3Output> {
    const auto rect = rectOf(entry, "rect");
    std::string name = textOf(entry, "name");
    if (!rect || name.empty())
      return std::nullopt;
    return I3Output{
        std::move(name), textOf(entry, "make"),  textOf(entry, "model"), textOf(entry, "serial"),
        *rect,           flagOf(entry, "active")};
  });
}

}  // namespace dovrik::i3ipc
