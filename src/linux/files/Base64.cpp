// Byte data as base64 text (the standard alphabet, with padding), as the settings files keep it.
#include "linux/files/Base64.h"

#include <algorithm>
#include <cstdint>

namespace dovrik::files {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
  const auto at = alphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string base64Encode(const Bytes& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = std::uint32_t{bytes[i]} << 16;
    if (count > 1)
      group |= std::uint32_t{bytes[i + 1]} << 8;
    if (count > 2)
      group |= bytes[i + 2];
    text += alphabet[(group >> 18) & 63];
    text += alphabet[(group >> 12) & 63];
    text += count > 1 ? alphabet[(group >> 6) & 63] : '=';
    text += count > 2 ? alphabet[group & 63] : '=';
  }
  return text;
}

std::optional<Bytes> base64Decode(std::string_view text) {
  if (text.size() % 4 != 0)
    return std::nullopt;
  Bytes bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::size_t padding = 0;
    if (last && text[i + 3] == '=')
      padding = text[i + 2] == '=' ? 2 : 1;
    std::uint32_t group = 0;
    for (std::size_t j = 0; j < 4; ++j) {
      const int value = j < 4 - padding ? sextet(text[i + j]) : 0;
      if (value < 0)
        return std::nullopt;
      group = group << 6 | static_cast<std::uint32_t>(value);
    }
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2)
      bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1)
      bytes.push_back(static_cast<std::uint8_t>(group));
  }
  return bytes;
}

}  // namespace dovrik::files
