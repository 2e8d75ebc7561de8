// Any bytes as what the window manager's socket delivers: the frames the stream holds, read in
// pieces of a size the first byte picks, each payload read as a tree and as an event; and the
// bytes themselves as a tree, so that seeds of plain JSON reach the tree reader at once.
#include "FuzzSupport.h"
#include "linux/i3ipc/FrameDecoder.h"
#include "linux/i3ipc/I3Events.h"
#include "linux/i3ipc/I3Tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dovrik::i3ipc;
  const std::string_view bytes = dovrik::fuzz::asText(data, size);
  const std::size_t piece = size == 0 ? 1 : data[0] % 64 + 1;
  FrameDecoder decoder;
  std::string framesAgain;
  for (std::size_t at = 0; at < size; at += piece) {
    decoder.feed(bytes.substr(at, piece));
    while (auto frame = decoder.next()) {
      dovrik::fuzz::require(frame->payload.size() <= FrameDecoder::maxPayload);
      framesAgain += encodeFrame(frame->type, frame->payload);
      (void)decodeTree(frame->payload);
      (void)decodeEvent(*frame);
    }
  }
  // Every frame handed out is exactly the bytes it came from, in order.
  dovrik::fuzz::require(bytes.substr(0, framesAgain.size()) == framesAgain);
  (void)decodeTree(bytes);
  return 0;
}
