// Each script message as the mirror's change it stands for.
#include "linux/scriptreport/ScriptReportFeed.h"

#include <type_traits>

namespace dovrik::scriptreport {

void applyScriptMessage(mirror::WindowMirror& mirror, const ScriptMessage& message) {
  if (message.cursor)
    mirror.setCursor(*message.cursor);
  std::visit(
      [&mirror](const auto& body) {
        using T = std::decay_t<decltype(body)>;
        if constexpr (std::is_same_v<T, HelloMessage>)
          mirror.replaceAll(body.outputs, body.windows, body.activeId);
        else if constexpr (std::is_same_v<T, OutputsMessage>)
          mirror.setOutputs(body.outputs);
        else if constexpr (std::is_same_v<T, WindowAddedMessage>)
          mirror.addWindow(body.window);
        else if constexpr (std::is_same_v<T, WindowChangedMessage>)
          mirror.changeWindow(body.window);
        else if constexpr (std::is_same_v<T, WindowRemovedMessage>)
          mirror.removeWindow(body.id);
        else if constexpr (std::is_same_v<T, ActiveMessage>)
          mirror.setActive(body.id);
        else if constexpr (std::is_same_v<T, MoveMessage>)
          mirror.reportMove(body.phase, body.id);
        else if constexpr (std::is_same_v<T, StackingMessage>)
          mirror.restack(body.frontToBack);
      },
      message.body);
}

}  // namespace dovrik::scriptreport
