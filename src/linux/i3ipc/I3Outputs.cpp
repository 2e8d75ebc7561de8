// Reading the output list.
#include "linux/i3ipc/I3Outputs.h"

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

std::optional<std::vector<I3Output>> decodeOutputs(std::string_view text) {
  const Json list = parsePayload(text);
  if (!list.is_array())
    return std::nullopt;
  std::vector<I3Output> outputs;
  for (const Json& entry : list) {
    const auto rect = rectOf(entry, "rect");
    const std::string name = textOf(entry, "name");
    if (!rect || name.empty())
      return std::nullopt;
    outputs.push_back({name, textOf(entry, "make"), textOf(entry, "model"), textOf(entry, "serial"),
                       *rect, flagOf(entry, "active")});
  }
  return outputs;
}

}  // namespace dovrik::i3ipc
