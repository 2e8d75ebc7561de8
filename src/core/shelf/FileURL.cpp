// Reading, standardising and writing file URLs.
#include "core/shelf/FileURL.h"

#include <algorithm>
#include <vector>

#include "core/support/HexDigit.h"

namespace dovrik {
namespace {

constexpr std::string_view scheme = "file://";
constexpr std::string_view localhost = "localhost";

// The characters a URL path may hold unescaped (RFC 3986 pchar and "/").
bool isPlainInPath(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
    return true;
  return std::string_view("-._~!$&'()*+,;=:@/").find(static_cast<char>(c)) !=
         std::string_view::npos;
}

bool startsWithCaseless(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != prefix[i])
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> pathOfFileURL(std::string_view url) {
  if (!startsWithCaseless(url, scheme))
    return std::nullopt;
  url.remove_prefix(scheme.size());
  if (startsWithCaseless(url, localhost))
    url.remove_prefix(localhost.size());
  if (!url.starts_with('/'))
    return std::nullopt;
  std::string path;
  path.reserve(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '?' || url[i] == '#')
      break;
    if (url[i] != '%') {
      path += url[i];
      continue;
    }
    const int high = i + 2 < url.size() ? hexDigitValue(url[i + 1]) : -1;
    const int low = high >= 0 ? hexDigitValue(url[i + 2]) : -1;
    if (low < 0 || (high == 0 && low == 0))
      return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

std::string standardisedPath(std::string_view absolutePath) {
  std::vector<std::string_view> segments;
  bool trailingSeparator = false;
  std::size_t start = 0;
  while (start <= absolutePath.size()) {
    const std::size_t end = std::min(absolutePath.find('/', start), absolutePath.size());
    const std::string_view segment = absolutePath.substr(start, end - start);
    const bool last = end == absolutePath.size();
    if (segment == "..") {
      if (!segments.empty())
        segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    if (last)
      trailingSeparator = segment.empty() || segment == "." || segment == "..";
    start = end + 1;
  }
  std::string path;
  for (const std::string_view segment : segments) {
    path += '/';
    path += segment;
  }
  if (path.empty() || trailingSeparator)
    path += '/';
  return path;
}

std::string withoutTrailingSeparator(std::string path) {
  if (path.size() > 1 && path.ends_with('/'))
    path.pop_back();
  return path;
}

std::string fileURLOfPath(std::string_view absolutePath, bool isDirectory) {
  std::string path = standardisedPath(absolutePath);
  if (isDirectory && !path.ends_with('/'))
    path += '/';
  constexpr std::string_view digits = "0123456789ABCDEF";
  std::string url(scheme);
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (isPlainInPath(byte)) {
      url += c;
    } else {
      url += '%';
      url += digits[byte >> 4];
      url += digits[byte & 0xF];
    }
  }
  return url;
}

std::string lastPathComponent(std::string_view path) {
  while (path.ends_with('/'))
    path.remove_suffix(1);
  return std::string(path.substr(path.rfind('/') + 1));
}

}  // namespace dovrik
