// The harness itself, against a real GNOME Shell: what the gnome tests rely on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include <QDBusConnectionInterface>

#include "GnomeSession.h"
#include "SessionClients.h"

namespace fs = std::filesystem;

namespace dovrik::gnometest {
namespace {

constexpr const char* probeUuid = "probe@dovrik.test";

// A session with an extension that does nothing, in GNOME 43's format (the shell calls init()
// once, then enable() and disable() on what it answers).
std::unique_ptr<GnomeSession> startWithProbe() {
  std::string source = "/tmp/dovrik-gnome-probe-XXXXXX";
  if (!mkdtemp(source.data()))
    throw std::runtime_error("cannot make a folder for the probe extension");
  const std::string probe = source + "/" + probeUuid;
  fs::create_directory(probe);
  sessiontest::writeFile(probe + "/metadata.json",
                         std::string(R"({"uuid": ")") + probeUuid +
                             R"(", "name": "Probe", "description": "Does nothing", )"
                             R"("shell-version": ["43"]})",
                         sessiontest::everyoneReads);
  sessiontest::writeFile(probe + "/extension.js",
                         "function init() {\n  return {enable() {}, disable() {}};\n}\n",
                         sessiontest::everyoneReads);
  std::unique_ptr<GnomeSession> session;
  try {
    session = std::make_unique<GnomeSession>(std::vector{probe});
  } catch (...) {
    fs::remove_all(source);
    throw;
  }
  fs::remove_all(source);
  return session;
}

// The user a running process acts as.
uid_t userOf(pid_t pid) {
  struct stat info {};
  return stat(("/proc/" + std::to_string(pid)).c_str(), &info) == 0 ? info.st_uid : 0;
}

class GnomeSessionTest : public testing::Test {
 public:
  static void SetUpTestSuite() {
    if (!GnomeSession::unavailable())
      session_ = startWithProbe();
  }
  static void TearDownTestSuite() { session_.reset(); }

 protected:
  void SetUp() override {
    if (const auto reason = GnomeSession::unavailable())
      GTEST_SKIP() << *reason;
    ASSERT_TRUE(session_) << "the GNOME session did not start";
  }
  static GnomeSession& session() { return *session_; }

 private:
  static inline std::unique_ptr<GnomeSession> session_;
};

TEST_F(GnomeSessionTest, ShellServesWaylandAndTheBusAsTheSessionUserWithTheExtensionOn) {
  struct stat socket {};
  ASSERT_EQ(stat((session().runtimeDir() + "/" + session().waylandDisplay()).c_str(), &socket), 0);
  EXPECT_EQ(socket.st_uid, session().user());
  // The PID is the shell's own, not a wrapper's that would outlive a stop.
  EXPECT_EQ(sessiontest::fileText("/proc/" + std::to_string(session().shellPid()) + "/comm"),
            "gnome-shell\n");
  EXPECT_EQ(userOf(session().shellPid()), session().user());
  EXPECT_TRUE(
      session().bus().connection().interface()->isServiceRegistered("org.gnome.Shell").value());
  EXPECT_EQ(session().extensionState(probeUuid), 1) << session().shellLog();
  EXPECT_EQ(session().extensionState("absent@dovrik.test"), 99);
}

TEST_F(GnomeSessionTest, QtWindowConnectsAndStaysUp) {
  const auto window =
      sessiontest::startQtWindow(session(), "GNOME Qt", "org.dovrik.GnomeTestWindow");
  // Painted once the shell has configured its surface.
  EXPECT_FALSE(sessiontest::awaitOutput(*window, "painted").empty()) << session().shellLog();
  window->sendLine("copy-text still here");
  EXPECT_EQ(sessiontest::awaitOutput(*window, "copied"), "copied text/plain");
  EXPECT_TRUE(window->running());
}

TEST_F(GnomeSessionTest, ExtensionTurnsOffAndOnAgainAndAnUnknownOneIsRefused) {
  ASSERT_TRUE(session().setExtensionEnabled(probeUuid, false)) << session().shellLog();
  EXPECT_EQ(session().extensionState(probeUuid), 2);
  ASSERT_TRUE(session().setExtensionEnabled(probeUuid, true)) << session().shellLog();
  EXPECT_EQ(session().extensionState(probeUuid), 1);
  EXPECT_FALSE(session().setExtensionEnabled("absent@dovrik.test", true));
}

// Its own session, after the shared one has gone: the shell, dconf and the bus end with it.
TEST(GnomeSessionStopTest, LeavesNoProcessBehind) {
  if (const auto reason = GnomeSession::unavailable())
    GTEST_SKIP() << *reason;
  auto session = startWithProbe();
  const pid_t shell = session->shellPid();
  ASSERT_GT(shell, 0);
  session.reset();
  EXPECT_FALSE(fs::exists("/proc/" + std::to_string(shell)));
  EXPECT_TRUE(sessiontest::childrenOf(getpid()).empty());
}

}  // namespace
}  // namespace dovrik::gnometest
