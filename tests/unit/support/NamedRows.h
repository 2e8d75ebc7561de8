// Rows of a parameterised table name themselves after their description, so that a failing row
// reads as `Prefix/Suite.Test/MissingAutoRestore` instead of a bare index.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace dovrik::test {

// Test names allow letters, digits and underscores only: "missing autoRestore" becomes
// "MissingAutoRestore", "1440×900 screen" becomes "1440900Screen".
inline std::string rowNameOf(std::string_view description) {
  std::string name;
  bool startsWord = true;
  for (const char c : description) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && std::isalnum(byte)) {
      name += startsWord ? static_cast<char>(std::toupper(byte)) : c;
      startsWord = false;
    } else {
      startsWord = true;
    }
  }
  return name;
}

// A row describes itself by its `name`; a table whose rows are keyed otherwise (by a snap
// position, say) declares `describe(const ItsRow&)` next to them.
template <class Row>
requires requires(const Row& row) {
  std::string_view(row.name);
}
std::string_view describe(const Row& row) {
  return row.name;
}

// The name generator for INSTANTIATE_TEST_SUITE_P.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return rowNameOf(describe(info.param));
  }
};

}  // namespace dovrik::test
