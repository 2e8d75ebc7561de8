// Starting Dovrik when the user logs in.
#pragma once

#include <optional>
#include <string>

namespace dovrik {

class LoginItem {
 public:
  virtual ~LoginItem() = default;
  // Each answers nothing on success, else a description of the failure.
  virtual std::optional<std::string> registerItem() = 0;
  virtual std::optional<std::string> unregisterItem() = 0;
};

}  // namespace dovrik
