// The frame codec: round trips in pieces of every size, and streams it must refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "linux/i3ipc/FrameDecoder.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {
namespace {

std::string header(std::string_view magic, std::uint32_t length, std::uint32_t type) {
  std::string bytes(magic);
  bytes.append(reinterpret_cast<const char*>(&length), 4);
  bytes.append(reinterpret_cast<const char*>(&type), 4);
  return bytes;
}

TEST(FrameDecoderTest, FramesSurviveAnySplitOfTheStream) {
  const std::vector<Frame> frames{{4, R"({"type":"root"})"},
                                  {eventBit | 3, R"({"change":"new"})"},
                                  {0, ""},
                                  {eventBit | 5, std::string(70000, 'x')}};
  std::string stream;
  for (const Frame& f : frames)
    stream += encodeFrame(f.type, f.payload);
  ASSERT_EQ(stream.substr(0, 14), header("i3-ipc", 15, 4));
  for (const std::size_t piece :
       {std::size_t{1}, std::size_t{5}, std::size_t{14}, std::size_t{4096}, stream.size()}) {
    FrameDecoder decoder;
    std::vector<Frame> decoded;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
      decoder.feed(std::string_view(stream).substr(at, piece));
      while (auto frame = decoder.next())
        decoded.push_back(std::move(*frame));
    }
    EXPECT_EQ(decoded, frames) << "pieces of " << piece;
    EXPECT_FALSE(decoder.broken());
  }
}

TEST(FrameDecoderTest, RefusesStreamsThatAreNotFrames) {
  struct Row {
    const char* name;
    std::string bytes;
    bool broken;
  };
  const std::vector<Row> rows{
      {"wrong magic", header("i3-ipX", 0, 0), true},
      {"wrong magic seen before a whole header", "i4", true},
      {"a length past the cap", header("i3-ipc", FrameDecoder::maxPayload + 1, 0), true},
      {"the largest length", header("i3-ipc", 0xffffffffu, 0), true},
      {"the cap itself waits for its payload", header("i3-ipc", FrameDecoder::maxPayload, 0),
       false},
      {"half a header waits", "i3-ip", false},
      {"a frame then garbage", encodeFrame(1, "[]") + "GET / HTTP/1.1", true},
  };
  for (const Row& row : rows) {
    FrameDecoder decoder;
    decoder.feed(row.bytes);
    while (decoder.next()) {
    }
    EXPECT_EQ(decoder.broken(), row.broken) << row.name;
    decoder.feed(encodeFrame(1, "[]"));
    EXPECT_EQ(decoder.next().has_value(), false) << row.name;
  }
}

}  // namespace
}  // namespace dovrik::i3ipc
