// Subscribing to one interface's globals.
#include "linux/wayland/GlobalWatch.h"

#include <utility>

namespace dovrik::wayland {

GlobalWatch::GlobalWatch(WaylandConnection& connection, std::string interface,
                         std::function<void(const WaylandConnection::Global&)> added,
                         std::function<void(std::uint32_t)> removed)
    : connection_(connection) {
  for (const auto& global : connection_.globals(interface))
    added(global);
  added_ = connection_.globalAdded.connect(
      [this, interface, added = std::move(added)](const WaylandConnection::Global& global) {
        if (global.interface != interface)
          return;
        added(global);
        connection_.flush();
      });
  removed_ = connection_.globalRemoved.connect(std::move(removed));
}

GlobalWatch::~GlobalWatch() {
  connection_.globalAdded.disconnect(added_);
  connection_.globalRemoved.disconnect(removed_);
}

}  // namespace dovrik::wayland
