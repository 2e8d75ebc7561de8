// Identifiers of stored records, written as 36-character upper-case hyphenated text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik {

class Uuid {
 public:
  Uuid() = default;
  explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

  // A fresh version-4 identifier from a generator seeded once by the system's entropy source.
  static Uuid random();
  // Accepts either case; nothing unless the text is exactly 8-4-4-4-12 hex digits.
  static std::optional<Uuid> fromString(std::string_view text);
  std::string toString() const;
  const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

  friend auto operator<=>(const Uuid&, const Uuid&) = default;

 private:
  std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace dovrik
