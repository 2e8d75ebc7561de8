// A stored record broken in one named way, for the tables of what a strict reading refuses.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace dovrik::test {

struct BrokenRecord {
  const char* name;
  std::string from;  // a piece of the intact record
  std::string to;    // what stands in its place; empty to drop the piece

  // A failing row shows its name rather than its bytes.
  friend void PrintTo(const BrokenRecord& row, std::ostream* os) { *os << row.name; }
};

// A piece the text lacks fails the row: otherwise the row would test the intact text.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

inline std::string broken(const std::string& record, const BrokenRecord& row) {
  return replaced(record, row.from, row.to);
}

}  // namespace dovrik::test
