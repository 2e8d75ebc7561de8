// Kills a program that saves one store in a loop at random moments (SIGKILL), and checks after
// each kill that a fresh start reads the store as exactly the old or the new content: never
// empty, never undecodable, never set aside as unreadable, and that temporary files do not pile
// up beside it.
//
// Usage: dovrik_store_crash_test STORE KILLS [SEED]
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include "StoreUnderTest.h"

namespace {

namespace fs = std::filesystem;
using dovrik::storetest::readBack;
using dovrik::storetest::storeFolder;

struct Saver {
  pid_t pid = -1;
  long long firstSaveMicros = -1;  // -1 when it never said so
};

// The first line the saver writes, or empty when none comes within 30 s.
std::string firstLine(int fd) {
  std::string line;
  pollfd wait{fd, POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    char buffer[128];
    ssize_t count = 0;
    if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0 ||
        (count = ::read(fd, buffer, sizeof buffer)) <= 0)
      return "";
    line.append(buffer, static_cast<std::size_t>(count));
  }
  return line;
}

Saver startSaver(const std::string& store, const fs::path& home) {
  int out[2];
  if (::pipe(out) != 0)
    return {};
  Saver saver;
  saver.pid = ::fork();
  if (saver.pid < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return saver;
  }
  if (saver.pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::execl(DOVRIK_STORE_SAVER, DOVRIK_STORE_SAVER, store.c_str(), home.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(out[1]);
  const std::string line = firstLine(out[0]);
  ::close(out[0]);
  constexpr std::string_view signal = "first save done ";
  if (line.starts_with(signal))
    saver.firstSaveMicros = std::atoll(line.c_str() + signal.size());
  return saver;
}

// Hidden files are the atomic writes' temporary files; set-asides carry ".unreadable-".
struct Leftovers {
  int temporary = 0;
  int setAside = 0;
};

Leftovers leftoversIn(const fs::path& folder) {
  Leftovers found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    found.temporary += name.starts_with(".");
    found.setAside += name.find(".unreadable-") != std::string::npos;
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s STORE KILLS [SEED]\n", argv[0]);
    return 2;
  }
  const std::string store = argv[1];
  const int kills = std::atoi(argv[2]);
  const unsigned seed =
      argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : std::random_device()();
  std::printf("store %s: %d kills, seed %u\n", store.c_str(), kills, seed);
  std::mt19937 random(seed);

  std::string pattern = (fs::temp_directory_path() / "dovrik-crash-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    return 2;
  const fs::path home = pattern;
  const fs::path folder = storeFolder(store, home);

  int faults = 0;
  int midWrite = 0;
  int done = 0;
  int readAs[2] = {0, 0};
  for (int kill = 1; kill <= kills && faults < 5; ++kill, ++done) {
    const Saver saver = startSaver(store, home);
    if (saver.pid <= 0 || saver.firstSaveMicros < 0) {
      std::printf("kill %d: the saver did not start or did not report its first save\n", kill);
      if (saver.pid > 0) {
        ::kill(saver.pid, SIGKILL);
        ::waitpid(saver.pid, nullptr, 0);
      }
      ++faults;
      continue;
    }
    // Spread over two saves, so the kill lands anywhere in the loop, writes and all.
    std::uniform_int_distribution<long long> delay(0, 2 * saver.firstSaveMicros);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(saver.pid, SIGKILL);
    int status = 0;
    ::waitpid(saver.pid, &status, 0);

    const Leftovers leftovers = leftoversIn(folder);
    midWrite += leftovers.temporary > 0;
    const auto read = readBack(store, home);
    std::string fault = read.fault;
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
      fault = "the saver ended by itself, status " + std::to_string(status);
    else if (leftovers.setAside > 0)
      fault = "the store was set aside as unreadable";
    else if (leftovers.temporary > 1)
      fault = std::to_string(leftovers.temporary) + " temporary files pile up";
    if (fault.empty()) {
      ++readAs[read.content];
    } else {
      std::printf("kill %d: %s\n", kill, fault.c_str());
      ++faults;
    }
  }
  std::error_code error;
  fs::remove_all(home, error);
  std::printf(
      "store %s: %d kills, %d landed mid-write (a temporary file was left), read back %d old and "
      "%d new, %d faults\n",
      store.c_str(), done, midWrite, readAs[0], readAs[1], faults);
  return faults == 0 ? 0 : 1;
}
