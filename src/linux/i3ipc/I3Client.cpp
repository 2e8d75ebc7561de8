// The blocking request and reply.
#include "linux/i3ipc/I3Client.h"

#include <utility>

namespace dovrik::i3ipc {

I3Client::I3Client(std::string socketPath, std::chrono::milliseconds timeout)
    : path_(std::move(socketPath)), timeout_(timeout) {}

std::optional<std::string> I3Client::request(MessageType type, std::string_view payload) {
  if (!socket_.connected()) {
    socket_ = IpcSocket(path_);
    decoder_ = FrameDecoder();
  }
  if (!socket_.connected())
    return std::nullopt;
  auto reply = exchange(type, payload);
  if (!reply)
    socket_ = IpcSocket();
  return reply;
}

std::optional<std::string> I3Client::exchange(MessageType type, std::string_view payload) {
  const auto deadline = IpcSocket::Clock::now() + timeout_;
  const auto number = static_cast<std::uint32_t>(type);
  if (!socket_.sendAll(encodeFrame(number, payload), deadline))
    return std::nullopt;
  std::string bytes;
  bool closed = false;
  for (;;) {
    while (auto frame = decoder_.next()) {
      // Only a subscribed connection carries events; a reply of another type is not ours.
      if (frame->type == number)
        return std::move(frame->payload);
      if ((frame->type & eventBit) == 0)
        return std::nullopt;
    }
    if (closed || decoder_.broken() || !socket_.waitReadable(deadline))
      return std::nullopt;
    bytes.clear();
    closed = socket_.readNow(bytes) == IpcSocket::ReadResult::closed;
    decoder_.feed(bytes);
  }
}

std::optional<std::vector<CommandOutcome>> I3Client::runCommand(std::string_view command) {
  const auto reply = request(MessageType::runCommand, command);
  if (!reply)
    return std::nullopt;
  return decodeCommandReply(*reply);
}

}  // namespace dovrik::i3ipc
