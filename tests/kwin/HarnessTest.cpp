// The harness itself, against a real KWin: what the kwin tests rely on.
#include <sys/stat.h>

#include <filesystem>

#include <QDBusConnectionInterface>

#include "KWinTest.h"

namespace dovrik::kwintest {
namespace {

class KWinSessionTest : public KWinTest {};

TEST_F(KWinSessionTest, ServesWaylandXwaylandAndTheBusAsTheSessionUser) {
  struct stat socket {};
  ASSERT_EQ(stat((session().runtimeDir() + "/" + session().waylandDisplay()).c_str(), &socket), 0);
  EXPECT_EQ(socket.st_uid, session().user());
  struct stat runtime {};
  ASSERT_EQ(stat(session().runtimeDir().c_str(), &runtime), 0);
  EXPECT_EQ(runtime.st_mode & 0777, 0700u);
  EXPECT_EQ(runtime.st_uid, session().user());
  EXPECT_EQ(session().x11Display().rfind(':', 0), 0u) << session().x11Display();
  EXPECT_TRUE(session().bus().interface()->isServiceRegistered("org.kde.KWin").value());
  EXPECT_TRUE(session().bus().interface()->isServiceRegistered("org.kde.kglobalaccel").value());
}

TEST_F(KWinSessionTest, RestartedKWinComesBackOnTheSameSocketAndBus) {
  const pid_t before = session().kwinPid();
  const std::string socket = session().waylandDisplay();
  const std::string address = session().busAddress();
  session().restartKWin();
  EXPECT_NE(session().kwinPid(), before);
  EXPECT_GT(session().kwinPid(), 0);
  EXPECT_EQ(session().waylandDisplay(), socket);
  EXPECT_EQ(session().busAddress(), address);
  EXPECT_TRUE(std::filesystem::exists(session().runtimeDir() + "/" + socket));
  EXPECT_TRUE(session().bus().interface()->isServiceRegistered("org.kde.KWin").value());
  EXPECT_FALSE(session().x11Display().empty());
}

}  // namespace
}  // namespace dovrik::kwintest
