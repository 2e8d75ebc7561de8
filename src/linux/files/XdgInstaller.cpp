// Installing Dovrik for one user on a freedesktop system.
#include "linux/files/XdgInstaller.h"

#include <spawn.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

#include "core/shelf/FileURL.h"
#include "linux/files/AgentPaths.h"
#include "linux/files/DesktopExec.h"
#include "linux/files/FileIo.h"
#include "linux/files/MountInfo.h"

extern char** environ;

namespace dovrik::files {
namespace {

namespace fs = std::filesystem;

constexpr double kLaunchPollSeconds = 0.1;
constexpr int kLaunchPolls = 100;  // 10 s without news counts as started

// The entry with its Exec line pointing at `program`; every other line as it is.
std::string entryFor(const std::string& entry, const fs::path& program) {
  std::istringstream lines(entry);
  std::string result;
  for (std::string line; std::getline(lines, line);)
    result +=
        (line.starts_with("Exec=") ? "Exec=" + desktopExecArgument(program.string()) : line) + "\n";
  return result;
}

// A system reason as the end of a sentence.
std::string sentence(const std::string& reason) {
  return reason + ".";
}

// Starts `argv` detached from this process's session, in `folder`; answers the child or the
// error number.
std::pair<pid_t, int> spawnIn(const fs::path& folder, const std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (const std::string& word : words)
    argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = -1;
  const int error = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return {error == 0 ? child : -1, error};
}

fs::path homeFolder() {
  const char* home = std::getenv("HOME");
  return home && home[0] == '/' ? fs::path(home) : fs::path("/");
}

}  // namespace

XdgInstaller::XdgInstaller(fs::path dataHome, std::function<ProgramFiles()> programFiles,
                           std::function<DesktopFiles()> desktopFiles, Scheduler& scheduler,
                           Shell& shell, std::function<bool()> instanceRuns)
    : dataHome_(std::move(dataHome)),
      programFiles_(std::move(programFiles)),
      desktopFiles_(std::move(desktopFiles)),
      scheduler_(scheduler),
      shell_(shell),
      instanceRuns_(std::move(instanceRuns)) {}

XdgInstaller::~XdgInstaller() {
  scheduler_.cancel(watch_);
}

bool XdgInstaller::exists(const fs::path& path) const {
  std::error_code error;
  return fs::exists(path, error);
}

bool XdgInstaller::isOnReadOnlyFileSystem(const fs::path& path) const {
  struct statvfs info {};
  return ::statvfs(path.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

std::optional<std::string> XdgInstaller::install(const fs::path&, const fs::path& target) {
  const ProgramFiles programs = programFiles_();
  const FileRead agent = readWholeFile(programs.agent);
  if (agent.status != FileRead::Status::ok)
    return sentence(agent.status == FileRead::Status::missing
                        ? "cannot read " + programs.agent.string()
                        : agent.error);
  // Each program is replaced in one step: a copy running from there keeps its old file.
  if (auto error = writeFileAtomically(installedAgentOf(target), agent.contents, 0755))
    return sentence(*error);
  if (auto error = writeFileAtomically(target, programs.client, 0755))
    return sentence(*error);
  const DesktopFiles desktop = desktopFiles_();
  const fs::path applications = dataHome_ / "applications";
  if (auto error = writeFileAtomically(applications / (desktop.applicationId + ".desktop"),
                                       entryFor(desktop.desktopEntry, target), 0644))
    return sentence(*error);
  if (!desktop.agentEntry.empty()) {
    if (auto error =
            writeFileAtomically(applications / (desktop.applicationId + ".Agent.desktop"),
                                entryFor(desktop.agentEntry, installedAgentOf(target)), 0644))
      return sentence(*error);
  }
  for (const auto& [size, png] : desktop.iconPngs) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const fs::path icon =
        dataHome_ / "icons" / "hicolor" / folder / "apps" / (desktop.applicationId + ".png");
    if (auto error = writeFileAtomically(icon, png, 0644))
      return sentence(*error);
  }
  return std::nullopt;
}

void XdgInstaller::launch(const fs::path& program,
                          std::function<void(std::optional<std::string>)> done) {
  const auto [child, error] = spawnIn(homeFolder(), {program.string()});
  if (child < 0) {
    done(sentence(std::string("It could not be started: ") + std::strerror(error)));
    return;
  }
  watchLaunch(child, std::move(done));
}

// Started means: it has taken over the session, or it ended well at once (it handed over to a
// Dovrik that runs already), or it gave no news for 10 s. Ending with an error is a failure.
void XdgInstaller::watchLaunch(pid_t child, std::function<void(std::optional<std::string>)> done) {
  scheduler_.cancel(watch_);
  auto polls = std::make_shared<int>(0);
  watch_ = scheduler_.every(kLaunchPollSeconds, [this, child, polls, done = std::move(done)] {
    int status = 0;
    std::optional<std::string> failure;
    const bool ended = ::waitpid(child, &status, WNOHANG) == child;
    if (ended && WIFEXITED(status) && WEXITSTATUS(status) != 0)
      failure = "It stopped at once with exit status " + std::to_string(WEXITSTATUS(status)) + ".";
    else if (ended && WIFSIGNALED(status))
      failure = sentence(std::string("It stopped at once: ") + ::strsignal(WTERMSIG(status)));
    if (!ended && !instanceRuns_() && ++*polls < kLaunchPolls)
      return;
    // Cancelling drops this closure; what the report needs is taken out first.
    const auto report = done;
    scheduler_.cancel(watch_);
    report(failure);
  });
}

void XdgInstaller::unmount(const fs::path& mountPoint) {
  const FileRead mounts = readWholeFile("/proc/self/mountinfo");
  const auto device = deviceMountedAt(mounts.contents, mountPoint);
  if (!device)
    return;
  // The shell waits for this process to end, then asks the disks service; nothing reports back.
  spawnIn("/", {"/bin/sh", "-c",
                "while kill -0 \"$0\" 2>/dev/null; do sleep 0.2; done; "
                "exec udisksctl unmount --no-user-interaction -b \"$1\" >/dev/null 2>&1",
                std::to_string(::getpid()), *device});
}

void XdgInstaller::showFolder(const fs::path& folder) {
  createFolders(folder);
  // Escaped, so a name with "#", "?" or "%" opens that folder and not a part of its path.
  shell_.openURL(fileURLOfPath(folder.string(), true));
}

}  // namespace dovrik::files
