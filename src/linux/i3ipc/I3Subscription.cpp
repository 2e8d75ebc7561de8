// Subscribing, and reading events as they come.
#include "linux/i3ipc/I3Subscription.h"

#include "core/support/Json.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {

std::unique_ptr<I3Subscription> I3Subscription::open(const std::string& socketPath,
                                                     const std::vector<std::string>& events,
                                                     std::chrono::milliseconds timeout) {
  IpcSocket socket(socketPath);
  if (!socket.connected())
    return nullptr;
  const auto deadline = IpcSocket::Clock::now() + timeout;
  const auto subscribe = static_cast<std::uint32_t>(MessageType::subscribe);
  if (!socket.sendAll(
          encodeFrame(subscribe, Json(events).dump(-1, ' ', false, Json::error_handler_t::replace)),
          deadline))
    return nullptr;
  std::unique_ptr<I3Subscription> subscription(new I3Subscription(std::move(socket)));
  // The reply comes before any event of this connection.
  std::string bytes;
  for (;;) {
    if (auto frame = subscription->decoder_.next()) {
      if (frame->type != subscribe)
        return nullptr;
      const Json reply = Json::parse(frame->payload, nullptr, /*allow_exceptions=*/false);
      if (!reply.is_object() || reply.value("success", false) != true)
        return nullptr;
      return subscription;
    }
    if (subscription->decoder_.broken() || !subscription->socket_.waitReadable(deadline))
      return nullptr;
    bytes.clear();
    const auto read = subscription->socket_.readNow(bytes);
    subscription->decoder_.feed(bytes);
    if (read == IpcSocket::ReadResult::closed && bytes.empty())
      return nullptr;
  }
}

std::vector<Frame> I3Subscription::readAvailable() {
  std::vector<Frame> frames;
  if (ended_)
    return frames;
  std::string bytes;
  ended_ = socket_.readNow(bytes) == IpcSocket::ReadResult::closed;
  decoder_.feed(bytes);
  while (auto frame = decoder_.next())
    frames.push_back(std::move(*frame));
  ended_ = ended_ || decoder_.broken();
  return frames;
}

}  // namespace dovrik::i3ipc
