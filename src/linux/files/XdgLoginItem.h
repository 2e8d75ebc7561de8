// Launch at login on a freedesktop session: an autostart desktop entry that starts the running
// program, "<configHome>/autostart/dovrik.desktop".
#pragma once

#include <filesystem>

#include "core/platform/LoginItem.h"

namespace dovrik::files {

class XdgLoginItem : public LoginItem {
 public:
  // `configHome` is the user's configuration folder ($XDG_CONFIG_HOME); `executable` the
  // absolute path of the program the entry starts.
  XdgLoginItem(std::filesystem::path configHome, std::filesystem::path executable);

  // Writes the entry atomically, replacing any earlier one (also one the desktop disabled).
  std::optional<std::string> registerItem() override;
  // Removes the entry; none there is not a failure.
  std::optional<std::string> unregisterItem() override;

 private:
  std::filesystem::path entry_;
  std::filesystem::path executable_;
};

}  // namespace dovrik::files
