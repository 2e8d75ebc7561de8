// The registry and the reading of the compositor's socket on the Qt loop.
#include "linux/wayland/WaylandConnection.h"

#include <QObject>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>

#include <wayland-client.h>

namespace dovrik::wayland {

WaylandConnection::WaylandConnection(const char* socketName)
    : display_(wl_display_connect(socketName)) {
  if (!display_)
    return;
  registry_ = wl_display_get_registry(display_);
  static const wl_registry_listener listener{
      .global = &WaylandConnection::onGlobal,
      .global_remove = &WaylandConnection::onGlobalRemove,
  };
  wl_registry_add_listener(registry_, &listener, this);
  roundtrip();
  started_ = true;
  if (lost_)
    return;

  const int fd = wl_display_get_fd(display_);
  readable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { readAndDispatch(); });
  writable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
  writable_->setEnabled(false);
  QObject::connect(writable_.get(), &QSocketNotifier::activated, [this] { flush(); });
}

WaylandConnection::~WaylandConnection() {
  readable_.reset();
  writable_.reset();
  if (registry_)
    wl_registry_destroy(registry_);
  if (display_)
    wl_display_disconnect(display_);
}

void WaylandConnection::onGlobal(void* data, wl_registry*, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
  auto* self = static_cast<WaylandConnection*>(data);
  self->globals_.push_back({name, interface, version});
  if (self->started_)
    self->globalAdded.emit(self->globals_.back());
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
  auto* self = static_cast<WaylandConnection*>(data);
  std::erase_if(self->globals_, [name](const Global& global) { return global.name == name; });
  self->globalRemoved.emit(name);
}

std::optional<WaylandConnection::Global> WaylandConnection::global(
    const std::string& interface) const {
  const auto found = std::ranges::find(globals_, interface, &Global::interface);
  if (found == globals_.end())
    return std::nullopt;
  return *found;
}

std::vector<WaylandConnection::Global> WaylandConnection::globals(
    const std::string& interface) const {
  std::vector<Global> matching;
  std::ranges::copy_if(globals_, std::back_inserter(matching),
                       [&](const Global& global) { return global.interface == interface; });
  return matching;
}

void* WaylandConnection::bind(const Global& global, const wl_interface* interface,
                              std::uint32_t maxVersion) {
  if (!isConnected())
    return nullptr;
  return wl_registry_bind(registry_, global.name, interface, std::min(global.version, maxVersion));
}

void WaylandConnection::readAndDispatch() {
  if (!isConnected())
    return;
  // Events already queued must be dispatched before libwayland lets this thread read more.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0)
      return checkError();
  }
  // The notifier said the socket is readable, so this does not wait.
  if (wl_display_read_events(display_) < 0 && errno != EAGAIN)
    return checkError();
  if (wl_display_dispatch_pending(display_) < 0)
    return checkError();
  flush();
}

void WaylandConnection::flush() {
  if (!isConnected())
    return;
  if (wl_display_flush(display_) >= 0) {
    if (writable_)
      writable_->setEnabled(false);
    return;
  }
  if (errno == EAGAIN) {
    // The rest goes when the compositor has read some of what it was sent.
    if (writable_)
      writable_->setEnabled(true);
    return;
  }
  checkError();
}

bool WaylandConnection::roundtrip() {
  if (!isConnected())
    return false;
  if (wl_display_roundtrip(display_) < 0) {
    checkError();
    return false;
  }
  return true;
}

void WaylandConnection::checkError() {
  if (lost_ || wl_display_get_error(display_) == 0)
    return;
  lost_ = true;
  if (readable_)
    readable_->setEnabled(false);
  if (writable_)
    writable_->setEnabled(false);
  if (started_)
    lost.emit();
}

}  // namespace dovrik::wayland
