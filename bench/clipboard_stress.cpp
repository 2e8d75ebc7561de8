// The real `dovrik` under clipboard load, on a private Xvfb with openbox:
// 1. idle: the context switches of each of its threads over a quiet period (a timer that fires
//    while nothing happens shows up here);
// 2. a storm: another application takes the clipboard with a new text 1,000 times a second;
// 3. large copies: texts of 10 MB and images of 50 MB, each waited for in the history.
// Throughout 2 and 3 the command socket is asked a cheap question every 20 ms: as it is served
// on Dovrik's main thread, the answer time bounds how long that thread was blocked. Resident
// memory is sampled every 100 ms, and at the end the history file must decode.
//   clipboard_stress [IDLE_SECONDS [STORM_SECONDS [TEXTS [IMAGES]]]]   (60 60 10 10)
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AgentSocket.h"
#include "ClipboardClient.h"
#include "RealAgent.h"
#include "ThreadSwitches.h"
#include "XServer.h"
#include "core/clipboard/ClipboardItem.h"

namespace {

using namespace dovrik;
using namespace dovrik::x11test;
using Clock = std::chrono::steady_clock;
using bench::ask;
using bench::contextSwitches;
using bench::procField;
using bench::socketIn;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double mebibytes(const std::string& kilobytesField) {
  return std::strtod(kilobytesField.c_str(), nullptr) / 1024.0;
}

// Asks every 20 ms and keeps the answer times; samples resident memory every 100 ms.
class Watch {
 public:
  Watch(std::filesystem::path socketPath, pid_t pid)
      : socket_(std::move(socketPath)), status_("/proc/" + std::to_string(pid) + "/status") {
    prober_ = std::thread([this] {
      while (!stop_) {
        const auto start = Clock::now();
        const bool answered = ask(socket_, {"rules", "list"}).has_value();
        const double ms = millisecondsSince(start);
        {
          const std::lock_guard lock(mutex_);
          (answered ? answers_ : unanswered_).push_back(ms);
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(20));
      }
    });
    sampler_ = std::thread([this] {
      while (!stop_) {
        const double rss = mebibytes(procField(status_, "VmRSS"));
        {
          const std::lock_guard lock(mutex_);
          maxRss_ = std::max(maxRss_, rss);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    });
  }
  ~Watch() { stop(); }

  void stop() {
    stop_ = true;
    if (prober_.joinable())
      prober_.join();
    if (sampler_.joinable())
      sampler_.join();
  }

  // Prints the answer times and memory since the last report, and starts afresh.
  void report(const char* phase) {
    const std::lock_guard lock(mutex_);
    std::vector<double> times = answers_;
    std::sort(times.begin(), times.end());
    const auto at = [&](double p) {
      return times.empty()
                 ? 0.0
                 : times[static_cast<std::size_t>(p * static_cast<double>(times.size() - 1) + 0.5)];
    };
    const auto over = std::count_if(times.begin(), times.end(), [](double t) { return t > 100; });
    std::printf(
        "  %s: %zu answers, median %.2f ms, p99 %.2f ms, max %.2f ms, %ld over 100 ms, "
        "%zu unanswered; peak resident %.1f MiB\n",
        phase, times.size(), at(0.5), at(0.99), times.empty() ? 0.0 : times.back(),
        static_cast<long>(over), unanswered_.size(), maxRss_);
    answers_.clear();
    unanswered_.clear();
    maxRss_ = 0;
  }

 private:
  std::filesystem::path socket_;
  std::filesystem::path status_;
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;
  std::vector<double> answers_, unanswered_;
  double maxRss_ = 0;
  std::thread prober_, sampler_;
};

// Bytes that differ from one `seed` to the next and do not compress.
std::string noise(std::size_t size, std::uint64_t seed) {
  std::string bytes(size, '\0');
  std::uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
  for (std::size_t i = 0; i < size; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    bytes[i] = static_cast<char>(state);
  }
  return bytes;
}

// Serves the clipboard client until `done` holds or `seconds` pass.
template <typename Done>
bool serveUntil(ClipboardClient& owner, Done done, double seconds) {
  const auto start = Clock::now();
  while (millisecondsSince(start) < seconds * 1000) {
    owner.service();
    if (done())
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// The first line of `clipboard list`, asked at most every 50 ms.
std::string firstEntry(const std::filesystem::path& socketPath) {
  static auto last = Clock::now() - std::chrono::seconds(1);
  static std::string answer;
  if (millisecondsSince(last) < 50)
    return answer;
  last = Clock::now();
  const std::string out = ask(socketPath, {"clipboard", "list"}).value_or("");
  answer = out.substr(0, out.find('\n'));
  return answer;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const auto argument = [&](int i, int fallback) {
    return argc > i ? std::atoi(argv[i]) : fallback;
  };
  const int idleSeconds = argument(1, 60);
  const int stormSeconds = argument(2, 60);
  const int texts = argument(3, 10);
  const int images = argument(4, 10);

  XServer server(1280, 800);
  server.startWindowManager(XServer::WmConfig::Test, XServer::Wm::openbox);
  const bench::RealAgent agent(server.display(), server.tempDir() + "/stress");

  std::optional<std::filesystem::path> socketPath;
  const auto ready = Clock::now();
  while (!(socketPath && ask(*socketPath, {"rules", "list"})) && millisecondsSince(ready) < 20000) {
    socketPath = socketIn(agent.runtimeDir());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!socketPath) {
    std::fprintf(stderr, "dovrik never answered on its socket\n");
    return 1;
  }
  std::printf("clipboard_stress: the real dovrik on Xvfb + openbox\n");

  // Let start-up's one-off work finish before counting: the tray check, the first scans, and
  // the worker threads that start-up used, which end after 30 idle seconds.
  std::this_thread::sleep_for(std::chrono::seconds(40));
  const auto before = contextSwitches(agent.pid());
  std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
  const auto after = contextSwitches(agent.pid());
  long total = 0;
  std::printf("  idle %d s: context switches per thread:", idleSeconds);
  for (const auto& [thread, count] : after) {
    const auto was = before.find(thread);
    const long woke = count - (was == before.end() ? 0 : was->second);
    total += woke;
    if (woke > 0)
      std::printf(" %s %ld;", thread.c_str(), woke);
  }
  std::printf(" total %ld\n", total);

  ClipboardClient owner(server.display());
  Watch watch(*socketPath, agent.pid());
  const auto storm = Clock::now();
  long changes = 0;
  while (millisecondsSince(storm) < stormSeconds * 1000.0) {
    owner.own({{"UTF8_STRING", "storm " + std::to_string(changes++)}});
    owner.service();
    std::this_thread::sleep_until(storm + std::chrono::microseconds(1000 * changes));
  }
  const std::string last = "storm " + std::to_string(changes - 1);
  const bool lastSeen = serveUntil(
      owner, [&] { return firstEntry(*socketPath).ends_with(last); }, 10);
  std::printf("  storm: %ld changes in %.1f s, the last one %s\n", changes,
              millisecondsSince(storm) / 1000, lastSeen ? "recorded" : "NOT recorded");
  watch.report("storm");

  int recorded = 0;
  for (int i = 0; i < texts; ++i) {
    const std::string head = "large text " + std::to_string(i);
    owner.own({{"UTF8_STRING", head + "\n" + noise(10u << 20, static_cast<std::uint64_t>(i))}});
    recorded += serveUntil(
        owner, [&] { return firstEntry(*socketPath).ends_with(head); }, 30);
  }
  std::printf("  %d of %d texts of 10 MiB recorded\n", recorded, texts);
  watch.report("large texts");

  recorded = 0;
  for (int i = 0; i < images; ++i) {
    // Sizes one byte apart tell the images apart in the list.
    const std::size_t size = (50u << 20) + static_cast<std::size_t>(i);
    owner.own(
        {{"image/png", "\x89PNG\r\n\x1a\n" + noise(size - 8, 1000u + static_cast<unsigned>(i))}});
    const std::string entry = "image, " + std::to_string(size) + " bytes";
    recorded += serveUntil(
        owner, [&] { return firstEntry(*socketPath).ends_with(entry); }, 60);
  }
  std::printf("  %d of %d images of 50 MiB recorded\n", recorded, images);
  watch.report("large images");
  watch.stop();

  const std::string listed = ask(*socketPath, {"clipboard", "list"}).value_or("");
  const auto entries = static_cast<std::size_t>(std::count(listed.begin(), listed.end(), '\n'));
  // The file is written a moment after the last change: wait for it to hold them all.
  const auto file = agent.dataHome() / "Dovrik" / "clipboard.json";
  std::optional<std::vector<ClipboardItem>> stored;
  const auto saved = Clock::now();
  while (millisecondsSince(saved) < 60000) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    stored = decodeClipboardItems(text.str());
    if (stored && stored->size() == entries)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  std::printf("  history file: %s, %zu of the %zu entries, %.1f MiB\n",
              stored ? "decodes" : "DOES NOT DECODE", stored ? stored->size() : 0, entries,
              static_cast<double>(std::filesystem::file_size(file)) / (1 << 20));
  const std::string status = "/proc/" + std::to_string(agent.pid()) + "/status";
  std::printf("  resident at the end %.1f MiB, peak over the whole run %.1f MiB\n",
              mebibytes(procField(status, "VmRSS")), mebibytes(procField(status, "VmHWM")));
  return stored ? 0 : 1;
}
