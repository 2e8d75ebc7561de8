// Byte data as base64 text: the standard vectors and the malformed text that must not decode.
#include "core/support/Base64.h"

#include <gtest/gtest.h>

#include <iterator>
#include <numeric>

namespace dovrik {
namespace {

TEST(Base64Test, StandardVectorsRoundTrip) {
  // The standard's vectors encode each prefix of "foobar".
  const std::string_view foobar = "foobar";
  const char* encodings[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (std::size_t n = 0; n < std::size(encodings); ++n) {
    const Bytes plain(foobar.begin(), foobar.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(base64Encode(plain), encodings[n]);
    EXPECT_EQ(base64Decode(encodings[n]), plain) << encodings[n];
  }
  Bytes every(256);
  std::iota(every.begin(), every.end(), std::uint8_t{0});
  EXPECT_EQ(base64Decode(base64Encode(every)), every);
}

TEST(Base64Test, MalformedTextDoesNotDecode) {
  for (const char* text : {"Zg", "Zg=", "Z===", "Zg==Zg==", "Zm9v!A==", "Zm 9v", "=Zm9", "Zm=v"})
    EXPECT_EQ(base64Decode(text), std::nullopt) << text;
}

}  // namespace
}  // namespace dovrik
