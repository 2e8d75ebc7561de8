// Following wl_output globals: names, positions, current modes and scales.
#include "linux/wayland/WaylandOutputs.h"

#include <algorithm>

#include <wayland-client.h>

namespace dovrik::wayland {
namespace {

// Version 4 names the output by its connector.
constexpr std::uint32_t outputVersion = 4;

}  // namespace

WaylandOutputs::WaylandOutputs(WaylandConnection& connection)
    : connection_(connection),
      watch_(
          connection, wl_output_interface.name,
          [this](const WaylandConnection::Global& global) { add(global); },
          [this](std::uint32_t global) {
            const auto found = std::ranges::find(
                tracked_, global, [](const auto& tracked) { return tracked->global; });
            if (found == tracked_.end())
              return;
            wl_output_destroy((*found)->proxy);
            tracked_.erase(found);
          }) {
  connection_.roundtrip();
}

WaylandOutputs::~WaylandOutputs() {
  for (const auto& tracked : tracked_)
    wl_output_destroy(tracked->proxy);
  connection_.flush();
}

void WaylandOutputs::add(const WaylandConnection::Global& global) {
  static const wl_output_listener listener{
      .geometry =
          [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
             std::int32_t, const char*, const char*, std::int32_t) {
            auto* tracked = static_cast<Tracked*>(data);
            tracked->x = x;
            tracked->y = y;
          },
      .mode =
          [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
             std::int32_t) {
            if (!(flags & WL_OUTPUT_MODE_CURRENT))
              return;
            auto* tracked = static_cast<Tracked*>(data);
            tracked->pixelWidth = width;
            tracked->pixelHeight = height;
          },
      .done = [](void*, wl_output*) {},
      .scale =
          [](void* data, wl_output*, std::int32_t factor) {
            static_cast<Tracked*>(data)->scale = std::max(1, factor);
          },
      .name = [](void* data, wl_output*,
                 const char* name) { static_cast<Tracked*>(data)->name = name; },
      .description = [](void*, wl_output*, const char*) {},
  };
  auto tracked = std::make_unique<Tracked>();
  tracked->global = global.name;
  tracked->proxy =
      static_cast<wl_output*>(connection_.bind(global, &wl_output_interface, outputVersion));
  if (!tracked->proxy)
    return;
  wl_output_add_listener(tracked->proxy, &listener, tracked.get());
  tracked_.push_back(std::move(tracked));
}

std::optional<WaylandOutputs::Output> WaylandOutputs::outputFor(const Rect& logicalRect) const {
  std::optional<Output> first;
  const double cx = logicalRect.midX();
  const double cy = logicalRect.midY();
  for (const auto& tracked : tracked_) {
    const Output output{tracked->proxy, tracked->name,
                        Rect{static_cast<double>(tracked->x), static_cast<double>(tracked->y),
                             static_cast<double>(tracked->pixelWidth) / tracked->scale,
                             static_cast<double>(tracked->pixelHeight) / tracked->scale}};
    if (cx >= output.logical.minX() && cx < output.logical.maxX() && cy >= output.logical.minY() &&
        cy < output.logical.maxY())
      return output;
    if (!first)
      first = output;
  }
  return first;
}

}  // namespace dovrik::wayland
