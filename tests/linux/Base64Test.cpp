// Byte data as base64 text: the standard vectors and the malformed text that must not decode.
#include "linux/files/Base64.h"

#include <gtest/gtest.h>

namespace dovrik::files {
namespace {

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

TEST(Base64Test, StandardVectorsRoundTrip) {
  const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : vectors) {
    EXPECT_EQ(base64Encode(bytesOf(plain)), encoded);
    EXPECT_EQ(base64Decode(encoded), bytesOf(plain)) << encoded;
  }
  const Bytes every = [] {
    Bytes b;
    for (int i = 0; i < 256; ++i)
      b.push_back(static_cast<std::uint8_t>(i));
    return b;
  }();
  EXPECT_EQ(base64Decode(base64Encode(every)), every);
}

TEST(Base64Test, MalformedTextDoesNotDecode) {
  for (const char* text : {"Zg", "Zg=", "Z===", "Zg==Zg==", "Zm9v!A==", "Zm 9v", "=Zm9", "Zm=v"})
    EXPECT_EQ(base64Decode(text), std::nullopt) << text;
}

}  // namespace
}  // namespace dovrik::files
