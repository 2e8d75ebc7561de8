// The stores the crash-safety test saves and reads back, each through Dovrik's own storage code
// on real files, with two distinct contents ("old" 0 and "new" 1) large enough that one save
// takes a while.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace dovrik::storetest {

class StoreUnderTest {
 public:
  virtual ~StoreUnderTest() = default;
  // Saves content 0 or 1, as Dovrik does after a change.
  virtual void save(int content) = 0;
};

// The store called `name` ("settings", "workspaces", "rules", "shelf" or "clipboard") with
// $XDG_CONFIG_HOME and $XDG_DATA_HOME under `home`, opened and loaded as Dovrik does at start;
// nothing for an unknown name.
std::unique_ptr<StoreUnderTest> openStore(std::string_view name, const std::filesystem::path& home);

// What a fresh start of Dovrik reads from the store: content 0 or 1, or what is wrong.
struct ReadBack {
  int content = -1;
  std::string fault;
};
ReadBack readBack(std::string_view name, const std::filesystem::path& home);

// The folder holding the store's file.
std::filesystem::path storeFolder(std::string_view name, const std::filesystem::path& home);

}  // namespace dovrik::storetest
