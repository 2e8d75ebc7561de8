// Frames in and out. The decoder keeps the unread tail in one buffer and drops what it handed
// out only when that is the larger part, so a burst of small events costs no quadratic copying.
#include "linux/i3ipc/FrameDecoder.h"

#include <algorithm>
#include <cstring>

namespace dovrik::i3ipc {

namespace {

constexpr std::string_view frameMagic = "i3-ipc";

std::uint32_t readNumber(const char* at) {
  std::uint32_t value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void appendNumber(std::string& out, std::uint32_t value) {
  char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  out.append(bytes, sizeof bytes);
}

}  // namespace

std::string encodeFrame(std::uint32_t type, std::string_view payload) {
  std::string frame;
  frame.reserve(FrameDecoder::headerSize + payload.size());
  frame.append(frameMagic);
  appendNumber(frame, static_cast<std::uint32_t>(payload.size()));
  appendNumber(frame, type);
  frame.append(payload);
  return frame;
}

void FrameDecoder::feed(std::string_view bytes) {
  if (broken_)
    return;
  if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  buffer_.append(bytes);
}

std::optional<Frame> FrameDecoder::next() {
  if (broken_)
    return std::nullopt;
  const std::size_t available = buffer_.size() - start_;
  const char* head = buffer_.data() + start_;
  // A wrong magic is refused as soon as its first bytes differ, not after a whole header.
  const std::size_t magicSeen = std::min(available, frameMagic.size());
  if (std::string_view(head, magicSeen) != frameMagic.substr(0, magicSeen)) {
    broken_ = true;
    return std::nullopt;
  }
  if (available < headerSize)
    return std::nullopt;
  const std::uint32_t length = readNumber(head + frameMagic.size());
  if (length > maxPayload) {
    broken_ = true;
    return std::nullopt;
  }
  if (available - headerSize < length)
    return std::nullopt;
  Frame frame{readNumber(head + frameMagic.size() + 4), std::string(head + headerSize, length)};
  start_ += headerSize + length;
  return frame;
}

}  // namespace dovrik::i3ipc
