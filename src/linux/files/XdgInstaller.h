// Installing Dovrik for one user on a freedesktop system: the client in ~/.local/bin and its
// agent in ~/.local/libexec/dovrik, the menu entry and icons under the user's data folder; starting
// the installed copy and unmounting the medium the first copy came from.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Installer.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"

namespace dovrik::files {

// What makes the program known to the desktop: the text of its desktop entry (its Exec line is
// rewritten to the installed program) and its icon as PNG files by pixel size.
struct DesktopFiles {
  std::string applicationId;  // "org.dovrik.Dovrik": the entry's and the icons' file name
  std::string desktopEntry;
  // The agent's own entry, hidden from menus: desktops that grant a program a capability by
  // its entry (Plasma's key typing) find the agent through it.
  std::string agentEntry;
  std::vector<std::pair<int, std::string>> iconPngs;
};

// The two programs of an installation, as the running agent has them.
struct ProgramFiles {
  std::filesystem::path agent;  // the agent's own file
  std::string client;           // the client's bytes, which the agent carries
};

class XdgInstaller : public Installer {
 public:
  // `dataHome` is $XDG_DATA_HOME; `instanceRuns` tells whether a Dovrik has taken this
  // session's single-instance claim, the sign that a started copy is up.
  // `programFiles` and `desktopFiles` are asked for them on installing only, since drawing
  // icons takes a moment.
  XdgInstaller(std::filesystem::path dataHome, std::function<ProgramFiles()> programFiles,
               std::function<DesktopFiles()> desktopFiles, Scheduler& scheduler, Shell& shell,
               std::function<bool()> instanceRuns);
  ~XdgInstaller() override;

  bool exists(const std::filesystem::path& path) const override;
  bool isOnReadOnlyFileSystem(const std::filesystem::path& path) const override;
  // Puts the agent in its place for the client at `target` first, then the client it carries,
  // so that the client never starts without its agent. `program` is not copied: a release's
  // agent runs without a client beside it.
  std::optional<std::string> install(const std::filesystem::path& program,
                                     const std::filesystem::path& target) override;
  // Started in a session of its own, from the home folder, so that neither this process's
  // terminal nor its working folder (maybe on the medium to unmount) ties it down.
  void launch(const std::filesystem::path& program,
              std::function<void(std::optional<std::string>)> done) override;
  // Once this process has ended, since its program keeps the medium busy until then.
  void unmount(const std::filesystem::path& mountPoint) override;
  void showFolder(const std::filesystem::path& folder) override;

 private:
  void watchLaunch(pid_t child, std::function<void(std::optional<std::string>)> done);

  std::filesystem::path dataHome_;
  std::function<ProgramFiles()> programFiles_;
  std::function<DesktopFiles()> desktopFiles_;
  Scheduler& scheduler_;
  Shell& shell_;
  std::function<bool()> instanceRuns_;
  TaskId watch_ = 0;
};

}  // namespace dovrik::files
