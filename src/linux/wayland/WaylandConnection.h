// Dovrik's own connection to the Wayland compositor, apart from the one Qt keeps for its
// windows: the protocols Dovrik needs (clipboard control, overlays, input) are not reachable
// through Qt, and their events must not wait on Qt's. The connection lives on the Qt loop: its
// socket wakes the loop only when the compositor sends something.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Signal.h"

struct wl_display;
struct wl_registry;
struct wl_interface;

class QSocketNotifier;

namespace dovrik::wayland {

class WaylandConnection {
 public:
  struct Global {
    std::uint32_t name = 0;
    std::string interface;
    std::uint32_t version = 0;
  };

  // Connects to `socketName`, or to $WAYLAND_DISPLAY when it is null, and learns the globals
  // the compositor offers. A failed connection is kept (it offers nothing) so that the adapters
  // over it degrade instead of failing to build.
  explicit WaylandConnection(const char* socketName = nullptr);
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;
  ~WaylandConnection();

  bool isConnected() const { return display_ != nullptr && !lost_; }
  wl_display* display() const { return display_; }

  // The first global of `interface`, in the order the compositor announced them.
  std::optional<Global> global(const std::string& interface) const;
  std::vector<Global> globals(const std::string& interface) const;
  // Binds `global` at the lower of its version and `maxVersion`; null when disconnected.
  void* bind(const Global& global, const wl_interface* interface, std::uint32_t maxVersion);

  // Sends the requests written so far. Whoever writes requests outside of the compositor's
  // events flushes them: the connection does so after dispatching events, and never polls.
  void flush();
  // Waits until the compositor has handled every request sent so far and its answers have
  // been dispatched. Blocks the caller: for start-up and tests only.
  bool roundtrip();

  // Raised when a global appears or goes away after start-up (outputs, seats).
  Signal<const Global&> globalAdded;
  Signal<std::uint32_t> globalRemoved;
  // Raised once when the compositor closed the connection or broke it off with a protocol
  // error; every object of this connection is dead from then on.
  Signal<> lost;

 private:
  static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
  static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
  void readAndDispatch();
  void checkError();

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  std::vector<Global> globals_;
  bool started_ = false;
  bool lost_ = false;
  std::unique_ptr<QSocketNotifier> readable_;
  // Armed only while the socket is too full to take our requests.
  std::unique_ptr<QSocketNotifier> writable_;
};

}  // namespace dovrik::wayland
