// Base64 with the standard alphabet and padding.
#include "core/support/Base64.h"

#include <array>

namespace dovrik {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valueOf(char c) {
  const auto at = alphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string base64Encode(const Bytes& bytes) {
  std::string out;
  appendBase64(bytes, out);
  return out;
}

void appendBase64(const Bytes& bytes, std::string& out) {
  out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) |
                                (left > 1 ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                (left > 2 ? std::uint32_t{bytes[i + 2]} : 0);
    out += alphabet[(group >> 18) & 63];
    out += alphabet[(group >> 12) & 63];
    out += left > 1 ? alphabet[(group >> 6) & 63] : '=';
    out += left > 2 ? alphabet[group & 63] : '=';
  }
}

std::optional<Bytes> base64Decode(std::string_view text) {
  if (text.size() % 4 != 0)
    return std::nullopt;
  Bytes out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
    if (padding == 1 && text[i + 2] == '=')
      return std::nullopt;
    std::uint32_t group = 0;
    for (int k = 0; k < 4; ++k) {
      const int value = k >= 4 - padding ? 0 : valueOf(text[i + k]);
      if (value < 0)
        return std::nullopt;
      group = (group << 6) | static_cast<std::uint32_t>(value);
    }
    out.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2)
      out.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1)
      out.push_back(static_cast<std::uint8_t>(group));
  }
  return out;
}

}  // namespace dovrik
