// Follows the globals of one interface for as long as it lives: those the compositor offers
// now and those it adds later (outputs plugged in), and tells of each that goes away.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "linux/wayland/WaylandConnection.h"

namespace dovrik::wayland {

class GlobalWatch {
 public:
  // `added` runs for each global of `interface` there now, at once, and for each added later;
  // `removed` for every global removed (of any interface: the watcher knows its own).
  GlobalWatch(WaylandConnection& connection, std::string interface,
              std::function<void(const WaylandConnection::Global&)> added,
              std::function<void(std::uint32_t)> removed);
  GlobalWatch(const GlobalWatch&) = delete;
  GlobalWatch& operator=(const GlobalWatch&) = delete;
  ~GlobalWatch();

 private:
  WaylandConnection& connection_;
  Signal<const WaylandConnection::Global&>::Connection added_ = 0;
  Signal<std::uint32_t>::Connection removed_ = 0;
};

}  // namespace dovrik::wayland
