// The i3 IPC framing: the magic "i3-ipc", the payload's length and the message type as 32-bit
// numbers in the host's byte order, then the payload (JSON text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::i3ipc {

struct Frame {
  std::uint32_t type = 0;  // a reply's message type, or an event's number with eventBit set
  std::string payload;
  friend bool operator==(const Frame&, const Frame&) = default;
};

std::string encodeFrame(std::uint32_t type, std::string_view payload);

// Takes a byte stream in pieces of any size and yields whole frames in order.
class FrameDecoder {
 public:
  static constexpr std::size_t headerSize = 14;
  // The largest tree of a busy desktop is a few megabytes; a length past this is a broken or
  // hostile stream, and is refused rather than allocated.
  static constexpr std::size_t maxPayload = 64u << 20;

  void feed(std::string_view bytes);
  // The next whole frame; nothing while it has not fully arrived or once the stream is broken.
  std::optional<Frame> next();
  // A wrong magic or an absurd length: nothing after it can be trusted to be a frame boundary.
  bool broken() const { return broken_; }

 private:
  std::string buffer_;
  std::size_t start_ = 0;  // bytes of buffer_ already handed out
  bool broken_ = false;
};

}  // namespace dovrik::i3ipc
