// Every frame change of every window, reported by a KWin script over D-Bus as it happens and
// timed where the call arrives: the last step of any path that moves a window, whoever asked.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include "KWinScripts.h"
#include "KWinSession.h"
#include "KWinWindows.h"

namespace dovrik::bench {

struct FrameReport {
  std::chrono::steady_clock::time_point arrived;
  std::string caption;
  kwintest::Frame frame;
};

class KWinFrameWatch : public QDBusVirtualObject {
 public:
  // Reports arrive on the service that `scripts` holds.
  KWinFrameWatch(const kwintest::KWinSession& session, kwintest::KWinScripts& scripts)
      : session_(session) {
    if (!session_.bus().registerVirtualObject(path, this))
      throw std::runtime_error("cannot receive frame reports on the session bus");
    const std::string file = session_.folder() + "/frame-watch.js";
    std::ofstream(file) << script;
    std::filesystem::permissions(file, std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    if (!scripts.loadAndRun(file, scriptName))
      throw std::runtime_error("the frame watch did not load: " + scripts.lastError());
  }
  ~KWinFrameWatch() override {
    session_.bus().call(QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting",
                                                       "org.kde.kwin.Scripting", "unloadScript")
                        << QString(scriptName));
    session_.bus().unregisterObject(path);
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const auto arrived = std::chrono::steady_clock::now();
    const auto args = message.arguments();
    if (message.member() != "frame" || args.size() != 5)
      return false;
    {
      std::lock_guard lock(mutex_);
      reports_.push_back(
          {arrived, args[0].toString().toStdString(),
           kwintest::Frame{args[1].toInt(), args[2].toInt(), args[3].toInt(), args[4].toInt()}});
    }
    connection.send(message.createReply());
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  // The reports since the last call, oldest first.
  std::vector<FrameReport> take() {
    std::lock_guard lock(mutex_);
    return std::exchange(reports_, {});
  }

 private:
  static constexpr const char* path = "/Frames";
  static constexpr const char* scriptName = "dovrik-bench-frames";
  static constexpr const char* script = R"(
function watch(w) {
    w.frameGeometryChanged.connect(function () {
        var g = w.frameGeometry;
        callDBus("org.dovrik.KWinTest", "/Frames", "org.dovrik.KWinTest", "frame", String(w.caption),
                 Math.round(g.x), Math.round(g.y), Math.round(g.width), Math.round(g.height));
    });
}
var all = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (var i = 0; i < all.length; ++i)
    watch(all[i]);
(workspace.windowAdded || workspace.clientAdded).connect(watch);
)";

  const kwintest::KWinSession& session_;
  std::mutex mutex_;
  std::vector<FrameReport> reports_;
};

}  // namespace dovrik::bench
