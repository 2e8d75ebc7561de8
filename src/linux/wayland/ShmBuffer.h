// A picture the compositor reads straight from Dovrik's memory: a wl_buffer over shared
// memory, painted with QPainter through a QImage on the same bytes.
#pragma once

#include <memory>

#include <QImage>

struct wl_buffer;
struct wl_shm;

namespace dovrik::wayland {

class ShmBuffer {
 public:
  // Nothing when the memory cannot be had.
  static std::unique_ptr<ShmBuffer> create(wl_shm* shm, int width, int height);
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;
  ~ShmBuffer();

  wl_buffer* buffer() const { return buffer_; }
  // Premultiplied ARGB, the layout of WL_SHM_FORMAT_ARGB8888 on little-endian machines.
  QImage& image() { return image_; }
  QSize size() const { return image_.size(); }
  // Between an attach and the compositor's release it must not be painted.
  bool busy() const { return busy_; }
  void attached() { busy_ = true; }

 private:
  ShmBuffer() = default;

  wl_buffer* buffer_ = nullptr;
  void* memory_ = nullptr;
  std::size_t bytes_ = 0;
  QImage image_;
  bool busy_ = false;
};

}  // namespace dovrik::wayland
