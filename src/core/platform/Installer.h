// The few things deciding and carrying out an installation needs from the system: facts about
// paths, copying the program into place, starting the installed copy, and handing a removable
// medium back to the user.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace dovrik {

class Installer {
 public:
  virtual ~Installer() = default;
  virtual bool exists(const std::filesystem::path& path) const = 0;
  // Whether the file system holding `path` is mounted read-only; false when that cannot be read.
  virtual bool isOnReadOnlyFileSystem(const std::filesystem::path& path) const = 0;
  // Puts a copy of `program` at `target`, replacing what is there in one step, and makes it
  // known to the desktop. Answers nothing on success, else the system's reason.
  virtual std::optional<std::string> install(const std::filesystem::path& program,
                                             const std::filesystem::path& target) = 0;
  // Starts `program` as a new process and reports once it has started: nothing, or the reason
  // it did not. A start that gives no news within 10 s counts as started.
  virtual void launch(const std::filesystem::path& program,
                      std::function<void(std::optional<std::string> failure)> done) = 0;
  // Asks, without waiting, for the removable medium mounted at `mountPoint` to be unmounted.
  virtual void unmount(const std::filesystem::path& mountPoint) = 0;
  // Opens the file manager on `folder`, creating it first.
  virtual void showFolder(const std::filesystem::path& folder) = 0;
};

}  // namespace dovrik
