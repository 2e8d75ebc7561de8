// Parsing and ordering release numbers.
#include "core/update/SoftwareVersion.h"

#include <algorithm>

namespace dovrik {
namespace {

constexpr std::size_t kMaxParts = 4;
constexpr std::size_t kMaxDigits = 9;

}  // namespace

std::optional<SoftwareVersion> SoftwareVersion::parse(std::string_view text) {
  SoftwareVersion version;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = text.find('.', start);
    const std::string_view part =
        text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
    if (part.empty() || part.size() > kMaxDigits ||
        !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        version.parts_.size() == kMaxParts)
      return std::nullopt;
    unsigned value = 0;
    for (const char c : part)
      value = value * 10 + static_cast<unsigned>(c - '0');
    version.parts_.push_back(value);
    if (dot == std::string_view::npos)
      return version;
    start = dot + 1;
  }
}

std::string SoftwareVersion::text() const {
  std::string out;
  for (const unsigned part : parts_)
    out += (out.empty() ? "" : ".") + std::to_string(part);
  return out;
}

std::strong_ordering operator<=>(const SoftwareVersion& a, const SoftwareVersion& b) {
  const std::size_t count = std::max(a.parts_.size(), b.parts_.size());
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned left = i < a.parts_.size() ? a.parts_[i] : 0;
    const unsigned right = i < b.parts_.size() ? b.parts_[i] : 0;
    if (left != right)
      return left <=> right;
  }
  return std::strong_ordering::equal;
}

}  // namespace dovrik
