// Mapping, placing, painting and fading the overlay-layer surface.
#include "linux/wayland/LayerShellOverlay.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include <wayland-client.h>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace dovrik::wayland {
namespace {

// Version 3 lets the shell object go; nothing newer is needed.
constexpr std::uint32_t layerShellVersion = 3;
constexpr std::uint32_t compositorVersion = 4;

template <typename Proxy>
Proxy* bindFirst(WaylandConnection& connection, const wl_interface& interface,
                 std::uint32_t version) {
  const auto global = connection.global(interface.name);
  return global ? static_cast<Proxy*>(connection.bind(*global, &interface, version)) : nullptr;
}

}  // namespace

LayerShellOverlay::LayerShellOverlay(WaylandConnection& connection, Scheduler& mainQueue,
                                     preview::DesktopToCompositor desktopToCompositor,
                                     preview::Painter painter, Easing easing)
    : connection_(connection),
      mainQueue_(mainQueue),
      desktopToCompositor_(std::move(desktopToCompositor)),
      painter_(std::move(painter)),
      easing_(std::move(easing)),
      outputs_(connection) {
  compositor_ = bindFirst<wl_compositor>(connection_, wl_compositor_interface, compositorVersion);
  shm_ = bindFirst<wl_shm>(connection_, wl_shm_interface, 1);
  layerShell_ =
      bindFirst<zwlr_layer_shell_v1>(connection_, zwlr_layer_shell_v1_interface, layerShellVersion);
  if (!compositor_ || !shm_)
    layerShell_ = nullptr;
  connection_.flush();
}

LayerShellOverlay::~LayerShellOverlay() {
  stopFade();
  destroySurface();
  if (layerShell_)
    zwlr_layer_shell_v1_destroy(layerShell_);
  if (shm_)
    wl_shm_destroy(shm_);
  if (compositor_)
    wl_compositor_destroy(compositor_);
  connection_.flush();
}

void LayerShellOverlay::setFrame(const Rect& desktopFrame) {
  frame_ = desktopFrame;
  if (!layerSurface_)
    return;
  if (!place()) {
    // A layer surface stays on the output it was made for.
    destroySurface();
    createSurface();
  }
  connection_.flush();
}

void LayerShellOverlay::setContent(const OverlayContent& content) {
  content_ = content;
  redraw();
}

void LayerShellOverlay::setAlpha(double alpha) {
  stopFade();
  alpha_ = alpha;
  redraw();
}

void LayerShellOverlay::orderFront() {
  visible_ = true;
  if (!layerSurface_)
    createSurface();
}

void LayerShellOverlay::orderOut() {
  visible_ = false;
  destroySurface();
}

void LayerShellOverlay::animateAlpha(double target, double seconds, AnimationCurve curve,
                                     std::function<void()> completion) {
  stopFade();
  seconds = std::max(0.0, seconds);
  const double from = alpha_;
  const int frames = std::max(1, static_cast<int>(std::lround(seconds * framesPerSecond)));
  auto frame = std::make_shared<int>(0);
  fade_ = mainQueue_.every(seconds / frames, [this, from, target, frames, curve, frame] {
    ++*frame;
    const double progress = static_cast<double>(*frame) / frames;
    alpha_ = from + (target - from) * easing_(curve, std::min(1.0, progress));
    if (*frame >= frames) {
      alpha_ = target;
      stopFade();
    }
    redraw();
  });
  // Not tied to the animation: a replaced or stopped fade still reports its end on time. A
  // loaded loop runs the frames late, so a fade still running at its end jumps to its target
  // first: whoever is told it ended finds the alpha it asked for.
  mainQueue_.after(
      seconds, lifetime_.guard([this, fade = fade_, target, completion = std::move(completion)] {
        if (fade_ == fade && fade_ != 0) {
          alpha_ = target;
          stopFade();
          redraw();
        }
        if (completion)
          completion();
      }));
}

void LayerShellOverlay::stopFade() {
  mainQueue_.cancel(fade_);
  fade_ = 0;
}

void LayerShellOverlay::createSurface() {
  if (!isAvailable())
    return;
  const Rect logical = desktopToCompositor_(frame_);
  const auto output = outputs_.outputFor(logical);
  outputName_ = output ? output->name : std::string();
  surface_ = wl_compositor_create_surface(compositor_);
  // An empty input region: pointer events fall through to the windows below.
  wl_region* nothing = wl_compositor_create_region(compositor_);
  wl_surface_set_input_region(surface_, nothing);
  wl_region_destroy(nothing);
  layerSurface_ = zwlr_layer_shell_v1_get_layer_surface(
      layerShell_, surface_, output ? output->proxy : nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
      "dovrik-snap-preview");
  static const zwlr_layer_surface_v1_listener listener{
      .configure =
          [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width,
             std::uint32_t height) {
            static_cast<LayerShellOverlay*>(data)->configured(serial, width, height);
          },
      .closed =
          [](void* data, zwlr_layer_surface_v1*) {
            auto* self = static_cast<LayerShellOverlay*>(data);
            self->visible_ = false;
            self->destroySurface();
          },
  };
  zwlr_layer_surface_v1_add_listener(layerSurface_, &listener, this);
  zwlr_layer_surface_v1_set_anchor(
      layerSurface_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
  // Placed where asked even over panels, which would otherwise push it aside.
  zwlr_layer_surface_v1_set_exclusive_zone(layerSurface_, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      layerSurface_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
  place();
  connection_.flush();
}

bool LayerShellOverlay::place() {
  const Rect logical = desktopToCompositor_(frame_);
  const auto output = outputs_.outputFor(logical);
  if ((output ? output->name : std::string()) != outputName_)
    return false;
  const Rect origin = output ? output->logical : Rect{};
  const auto width = static_cast<std::uint32_t>(std::max(1.0, std::round(logical.width)));
  const auto height = static_cast<std::uint32_t>(std::max(1.0, std::round(logical.height)));
  zwlr_layer_surface_v1_set_size(layerSurface_, width, height);
  zwlr_layer_surface_v1_set_margin(layerSurface_,
                                   static_cast<std::int32_t>(std::lround(logical.y - origin.y)), 0,
                                   0, static_cast<std::int32_t>(std::lround(logical.x - origin.x)));
  // The compositor answers with a configure event, and the picture follows in its size.
  wl_surface_commit(surface_);
  return true;
}

void LayerShellOverlay::configured(std::uint32_t serial, std::uint32_t width,
                                   std::uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(layerSurface_, serial);
  configuredSize_ = QSize(static_cast<int>(width), static_cast<int>(height));
  redraw();
}

ShmBuffer* LayerShellOverlay::freeBuffer(const QSize& size) {
  std::erase_if(buffers_,
                [&](const auto& buffer) { return buffer->size() != size && !buffer->busy(); });
  for (const auto& buffer : buffers_) {
    if (buffer->size() == size && !buffer->busy())
      return buffer.get();
  }
  auto created = ShmBuffer::create(shm_, size.width(), size.height());
  if (!created)
    return nullptr;
  buffers_.push_back(std::move(created));
  return buffers_.back().get();
}

void LayerShellOverlay::redraw() {
  if (!layerSurface_ || !configuredSize_.isValid() || configuredSize_.isEmpty())
    return;
  ShmBuffer* buffer = freeBuffer(configuredSize_);
  if (!buffer)
    return;
  buffer->image().fill(Qt::transparent);
  {
    QPainter painter(&buffer->image());
    painter.setOpacity(std::clamp(alpha_, 0.0, 1.0));
    painter_(painter, configuredSize_, content_);
  }
  wl_surface_attach(surface_, buffer->buffer(), 0, 0);
  buffer->attached();
  wl_surface_damage_buffer(surface_, 0, 0, configuredSize_.width(), configuredSize_.height());
  wl_surface_commit(surface_);
  shownSize_ = configuredSize_;
  connection_.flush();
}

void LayerShellOverlay::destroySurface() {
  if (layerSurface_)
    zwlr_layer_surface_v1_destroy(layerSurface_);
  if (surface_)
    wl_surface_destroy(surface_);
  layerSurface_ = nullptr;
  surface_ = nullptr;
  configuredSize_ = QSize();
  shownSize_ = QSize();
  connection_.flush();
}

}  // namespace dovrik::wayland
