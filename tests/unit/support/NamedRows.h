// Rows of a parameterised table name themselves, so that a failing row reads as
// `Rows/Suite.Test/MissingAutoRestore` instead of a bare index.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace dovrik::test {

// Test names allow only letters, digits and underscores: "missing autoRestore" becomes
// "MissingAutoRestore".
inline std::string rowNameOf(std::string_view description) {
  std::string name;
  bool startsWord = true;
  for (const char c : description) {
    const auto byte = static_cast<unsigned char>(c);
    const bool letterOrDigit = byte < 0x80 && std::isalnum(byte);
    if (letterOrDigit)
      name += startsWord ? static_cast<char>(std::toupper(byte)) : c;
    startsWord = !letterOrDigit;
  }
  return name;
}

// A row describes itself by its `name`; rows keyed otherwise (by a snap position, say) come
// with a `describe(const Row&)` of their own.
template <class Row>
requires requires(const Row& row) {
  std::string_view(row.name);
}
std::string_view describe(const Row& row) {
  return row.name;
}

struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return rowNameOf(describe(info.param));
  }
};

}  // namespace dovrik::test
