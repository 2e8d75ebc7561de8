// The XSETTINGS wire format: a byte-order byte, three unused bytes, a serial, the number of
// settings, then each setting as type, unused byte, name length, the name padded to four
// bytes, the serial of its last change and its value (an integer, a length-prefixed string
// padded to four bytes, or four 16-bit colour channels).
#include "linux/qt/XSettings.h"

#include <algorithm>
#include <cctype>

namespace dovrik::qt {
namespace {

enum class SettingType : std::uint8_t { integer = 0, string = 1, color = 2 };

// Walks the blob from the front; every read checks the room left first.
class Reader {
 public:
  Reader(std::span<const std::uint8_t> blob, bool bigEndian) : blob_(blob), bigEndian_(bigEndian) {}

  bool skip(std::size_t count) {
    if (count > blob_.size() - offset_)
      return false;
    offset_ += count;
    return true;
  }
  std::optional<std::uint8_t> byte() {
    if (offset_ >= blob_.size())
      return std::nullopt;
    return blob_[offset_++];
  }
  std::optional<std::uint32_t> card(std::size_t width) {
    if (width > blob_.size() - offset_)
      return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      const std::size_t index = bigEndian_ ? i : width - 1 - i;
      value = (value << 8) | blob_[offset_ + index];
    }
    offset_ += width;
    return value;
  }
  // `length` bytes, then the padding up to a multiple of four.
  std::optional<std::string_view> padded(std::size_t length) {
    const std::size_t paddedLength = (length + 3) / 4 * 4;
    if (length > blob_.size() || paddedLength > blob_.size() - offset_)
      return std::nullopt;
    const auto* start = reinterpret_cast<const char*>(blob_.data() + offset_);
    offset_ += paddedLength;
    return std::string_view(start, length);
  }

 private:
  std::span<const std::uint8_t> blob_;
  bool bigEndian_;
  std::size_t offset_ = 0;
};

}  // namespace

std::optional<std::string> xsettingsString(std::span<const std::uint8_t> blob,
                                           std::string_view name) {
  if (blob.empty() || blob[0] > 1)
    return std::nullopt;
  Reader reader(blob, blob[0] == 1);
  std::optional<std::uint32_t> count;
  if (!reader.skip(8) || !(count = reader.card(4)))
    return std::nullopt;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::optional<std::uint8_t> type = reader.byte();
    std::optional<std::uint32_t> nameLength;
    if (!type || !reader.skip(1) || !(nameLength = reader.card(2)))
      return std::nullopt;
    const std::optional<std::string_view> settingName = reader.padded(*nameLength);
    if (!settingName || !reader.skip(4))
      return std::nullopt;
    switch (static_cast<SettingType>(*type)) {
      case SettingType::integer:
      case SettingType::color:
        if (!reader.skip(*type == 0 ? 4 : 8))
          return std::nullopt;
        break;
      case SettingType::string: {
        const std::optional<std::uint32_t> length = reader.card(4);
        const std::optional<std::string_view> value =
            length ? reader.padded(*length) : std::nullopt;
        if (!value)
          return std::nullopt;
        if (*settingName == name)
          return std::string(*value);
        break;
      }
      default:
        // An unknown type has an unknown size: nothing after it can be found.
        return std::nullopt;
    }
  }
  return std::nullopt;
}

bool isDarkThemeName(std::string_view themeName) {
  constexpr std::string_view suffix = "-dark";
  if (themeName.size() < suffix.size())
    return false;
  const std::string_view tail = themeName.substr(themeName.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace dovrik::qt
