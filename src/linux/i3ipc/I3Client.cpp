// The blocking request and reply.
#include "linux/i3ipc/I3Client.h"

#include <utility>

namespace dovrik::i3ipc {

I3Client::I3Client(std::string socketPath, std::chrono::milliseconds timeout)
    : path_(std::move(socketPath)), timeout_(timeout) {}

bool I3Client::connect() {
  if (!socket_.connected()) {
    socket_ = IpcSocket(path_);
    decoder_ = FrameDecoder();
  }
  return socket_.connected();
}

std::optional<std::string> I3Client::request(MessageType type, std::string_view payload) {
  if (!connect())
    return std::nullopt;
  const auto deadline = IpcSocket::Clock::now() + timeout_;
  auto reply = socket_.sendAll(encodeFrame(static_cast<std::uint32_t>(type), payload), deadline)
                   ? receive(type, deadline)
                   : std::nullopt;
  if (!reply)
    socket_ = IpcSocket();
  return reply;
}

std::optional<std::vector<std::string>> I3Client::requestAll(
    const std::vector<MessageType>& types) {
  if (!connect())
    return std::nullopt;
  const auto deadline = IpcSocket::Clock::now() + timeout_;
  std::string frames;
  for (const MessageType type : types)
    frames += encodeFrame(static_cast<std::uint32_t>(type), {});
  std::vector<std::string> replies;
  if (socket_.sendAll(frames, deadline))
    for (const MessageType type : types) {
      auto reply = receive(type, deadline);
      if (!reply)
        break;
      replies.push_back(std::move(*reply));
    }
  if (replies.size() == types.size())
    return replies;
  socket_ = IpcSocket();
  return std::nullopt;
}

std::optional<std::string> I3Client::receive(MessageType type,
                                             IpcSocket::Clock::time_point deadline) {
  const auto number = static_cast<std::uint32_t>(type);
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
