// What every headless desktop session of the tests has: a private folder holding a runtime
// folder (mode 0700) and a home, both owned by the unprivileged user the compositor runs as,
// and programs started in the session as that user with the session's environment.
//
// The test process itself stays what it was started as (root on CI): it prepares folders
// that the user then owns, and connects to the session's sockets directly. Compositors refuse
// root, and some look at their clients through /proc, which they cannot read for root's
// processes: what must be the session's user runs as a child through launch().
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace dovrik::sessiontest {

class DesktopSession {
 public:
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;
  // Removes the session's folder.
  virtual ~DesktopSession();

  const std::string& runtimeDir() const { return runtimeDir_; }
  // The session's own folder (the test's, readable by the session's user): logs, configuration
  // and other files the test hands to the session's programs.
  const std::string& folder() const { return root_; }
  const std::string& home() const { return home_; }
  uid_t user() const { return user_; }

  // NAME=value lines of a program of the session: the user's folders here, the desktop's own
  // in the sessions that add to them.
  virtual std::vector<std::string> environment() const;
  // Puts the session's environment into this process, for code under test that runs in the
  // test itself.
  void enter() const;
  // Starts a program of the session as the session's user; `launch.environment` comes before
  // (and so wins over) the session's own.
  std::unique_ptr<ChildProcess> launch(ChildLaunch launch) const;

 protected:
  // Makes the folders under /tmp/dovrik-`name`-XXXXXX.
  explicit DesktopSession(const std::string& name);
  // Makes `path` (and what leads to it) a folder of the session's user, mode 0700.
  void makeOwnedFolder(const std::string& path) const;

 private:
  std::string root_;
  std::string runtimeDir_;
  std::string home_;
  uid_t user_;
  gid_t group_;
};

// The whole text of the file at `path`; empty when it cannot be read.
std::string fileText(const std::string& path);
void writeFile(const std::string& path, const std::string& text, std::filesystem::perms perms);

inline constexpr std::filesystem::perms everyoneReads =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
    std::filesystem::perms::group_read | std::filesystem::perms::others_read;
inline constexpr std::filesystem::perms everyoneRuns =
    std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
    std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
    std::filesystem::perms::others_exec;

}  // namespace dovrik::sessiontest
