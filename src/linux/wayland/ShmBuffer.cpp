// Shared-memory buffers from an anonymous memory file.
#include "linux/wayland/ShmBuffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace dovrik::wayland {

std::unique_ptr<ShmBuffer> ShmBuffer::create(wl_shm* shm, int width, int height) {
  if (!shm || width <= 0 || height <= 0)
    return nullptr;
  const int stride = width * 4;
  const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  const int fd = memfd_create("dovrik-overlay", MFD_CLOEXEC);
  if (fd < 0)
    return nullptr;
  if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
    close(fd);
    return nullptr;
  }
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  std::unique_ptr<ShmBuffer> buffer(new ShmBuffer);
  buffer->memory_ = memory;
  buffer->bytes_ = bytes;
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(bytes));
  buffer->buffer_ =
      wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
  // The buffer keeps the memory; neither the pool nor our descriptor are needed any more.
  wl_shm_pool_destroy(pool);
  close(fd);
  static const wl_buffer_listener listener{
      .release = [](void* data, wl_buffer*) { static_cast<ShmBuffer*>(data)->busy_ = false; },
  };
  wl_buffer_add_listener(buffer->buffer_, &listener, buffer.get());
  buffer->image_ = QImage(static_cast<uchar*>(memory), width, height, stride,
                          QImage::Format_ARGB32_Premultiplied);
  return buffer;
}

ShmBuffer::~ShmBuffer() {
  image_ = QImage();
  if (buffer_)
    wl_buffer_destroy(buffer_);
  if (memory_)
    munmap(memory_, bytes_);
}

}  // namespace dovrik::wayland
