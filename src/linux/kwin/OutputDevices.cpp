// Following KWin's output devices and naming their monitors as the X11 side does.
#include "linux/kwin/OutputDevices.h"

#include <QByteArray>
#include <algorithm>

#include <wayland-client.h>

#include "kde-output-device-v2-client-protocol.h"
#include "linux/display/DisplayUuid.h"

namespace dovrik::kwin {
namespace {

// Version 2 adds the connector name.
constexpr std::uint32_t outputDeviceVersion = 2;
constexpr const char* outputDeviceInterface = "kde_output_device_v2";

}  // namespace

OutputDevices::OutputDevices(wayland::WaylandConnection& connection)
    : connection_(connection),
      watch_(
          connection, outputDeviceInterface,
          [this](const wayland::WaylandConnection::Global& global) { add(global); },
          [this](std::uint32_t global) { remove(global); }) {
  // Each device describes itself right after it is bound: the list is complete from the start.
  connection_.roundtrip();
}

OutputDevices::~OutputDevices() {
  for (const auto& tracked : tracked_)
    release(*tracked);
  connection_.flush();
}

void OutputDevices::add(const wayland::WaylandConnection::Global& global) {
  static const kde_output_device_v2_listener listener{
      .geometry =
          [](void* data, kde_output_device_v2*, std::int32_t x, std::int32_t y, std::int32_t,
             std::int32_t, std::int32_t, const char* make, const char* model, std::int32_t) {
            auto& pending = static_cast<Tracked*>(data)->pending;
            pending.x = x;
            pending.y = y;
            pending.manufacturer = make;
            pending.model = model;
          },
      .current_mode = [](void*, kde_output_device_v2*, kde_output_device_mode_v2*) {},
      .mode =
          [](void* data, kde_output_device_v2*, kde_output_device_mode_v2* mode) {
            static_cast<Tracked*>(data)->modes.push_back(mode);
          },
      .done =
          [](void* data, kde_output_device_v2*) {
            auto* tracked = static_cast<Tracked*>(data);
            tracked->current = tracked->pending;
            tracked->owner->changed.emit();
          },
      .scale = [](void*, kde_output_device_v2*, wl_fixed_t) {},
      .edid =
          [](void* data, kde_output_device_v2*, const char* raw) {
            static_cast<Tracked*>(data)->pending.edid =
                QByteArray::fromBase64(QByteArray(raw)).toStdString();
          },
      .enabled =
          [](void* data, kde_output_device_v2*, std::int32_t enabled) {
            static_cast<Tracked*>(data)->pending.enabled = enabled != 0;
          },
      .uuid = [](void* data, kde_output_device_v2*,
                 const char* uuid) { static_cast<Tracked*>(data)->pending.uuid = uuid; },
      .serial_number =
          [](void* data, kde_output_device_v2*, const char* serial) {
            static_cast<Tracked*>(data)->pending.serialNumber = serial;
          },
      .eisa_id = [](void* data, kde_output_device_v2*,
                    const char* eisaId) { static_cast<Tracked*>(data)->pending.eisaId = eisaId; },
      .capabilities = [](void*, kde_output_device_v2*, std::uint32_t) {},
      .overscan = [](void*, kde_output_device_v2*, std::uint32_t) {},
      .vrr_policy = [](void*, kde_output_device_v2*, std::uint32_t) {},
      .rgb_range = [](void*, kde_output_device_v2*, std::uint32_t) {},
      .name = [](void* data, kde_output_device_v2*,
                 const char* name) { static_cast<Tracked*>(data)->pending.name = name; },
  };
  auto tracked = std::make_unique<Tracked>();
  tracked->owner = this;
  tracked->global = global.name;
  tracked->proxy = static_cast<kde_output_device_v2*>(
      connection_.bind(global, &kde_output_device_v2_interface, outputDeviceVersion));
  if (!tracked->proxy)
    return;
  kde_output_device_v2_add_listener(tracked->proxy, &listener, tracked.get());
  tracked_.push_back(std::move(tracked));
}

void OutputDevices::remove(std::uint32_t global) {
  const auto found = std::ranges::find(tracked_, global, [](const auto& t) { return t->global; });
  if (found == tracked_.end())
    return;
  release(**found);
  tracked_.erase(found);
  connection_.flush();
  changed.emit();
}

void OutputDevices::release(Tracked& tracked) {
  for (kde_output_device_mode_v2* mode : tracked.modes)
    kde_output_device_mode_v2_destroy(mode);
  kde_output_device_v2_destroy(tracked.proxy);
}

std::vector<OutputDevice> OutputDevices::devices() const {
  std::vector<OutputDevice> complete;
  for (const auto& tracked : tracked_) {
    if (tracked->current)
      complete.push_back(*tracked->current);
  }
  return complete;
}

std::optional<OutputDevice> OutputDevices::device(const std::string& name) const {
  for (OutputDevice& device : devices()) {
    if (device.name == name)
      return std::move(device);
  }
  return std::nullopt;
}

std::optional<std::string> OutputDevices::displayUuid(const std::string& name) const {
  return displayUuidAmong(devices(), name);
}

std::optional<std::string> displayUuidAmong(const std::vector<OutputDevice>& devices,
                                            const std::string& name) {
  std::vector<display::DisplaySource> sources;
  for (const OutputDevice& device : devices) {
    auto edid = display::Edid::parse(device.edid);
    // On X11 a monitor without an EDID has no connector to tell twins apart by either.
    sources.push_back({device.name, edid ? device.name : std::string(), std::move(edid)});
  }
  const auto uuids = display::displayUuids(sources);
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].name == name)
      return uuids[i];
  }
  return std::nullopt;
}

}  // namespace dovrik::kwin
