// The bridge on a private session bus: who is heard, what is handed out, when the doorbell
// rings. Stand-in connections play KWin (with its global-shortcut service) and a stranger.
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "PrivateBus.h"
#include "ScriptMessages.h"
#include "linux/kwin/KWinBridge.h"
#include "linux/kwin/KWinWindowControl.h"

namespace dovrik::kwin {

// KWin's global-shortcut component, counting the doorbell's rings.
class FakeShortcutComponent : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.kglobalaccel.Component")

 public:
  int rings = 0;

 public Q_SLOTS:
  void invokeShortcut(const QString& name) {
    if (name == QLatin1String("dovrik-doorbell"))
      ++rings;
  }
};

namespace {

using dbustest::PrivateBus;
using dbustest::waitFor;

QDBusMessage callBridge(QDBusConnection& from, const char* method, const QVariantList& args = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.dovrik.Dovrik"), QStringLiteral("/org/dovrik/KWin"),
      QStringLiteral("org.dovrik.KWin"), QString::fromLatin1(method));
  call.setArguments(args);
  // The bridge answers on this thread: wait with the event loop running.
  return from.call(call, QDBus::BlockWithGui, 5000);
}

const std::string helloWithOneWindow = scriptreport::test::hello(
    scriptreport::test::outputJson("0", {0, 0, 1280, 800}, {0, 0, 1280, 800}),
    scriptreport::test::windowJson({.id = "{a}"}));

class KWinBridgeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { PrivateBus::ensureApplication(); }
  void SetUp() override {
    if (!PrivateBus::available())
      GTEST_SKIP() << "dbus-daemon is not installed";
    kwin_ = bus_.connect(QStringLiteral("kwin"));
    ASSERT_TRUE(kwin_.isConnected());
    ASSERT_TRUE(kwin_.registerService(QStringLiteral("org.kde.KWin")));
    ASSERT_TRUE(kwin_.registerService(QStringLiteral("org.kde.kglobalaccel")));
    ASSERT_TRUE(kwin_.registerObject(QStringLiteral("/component/kwin"), &shortcuts_,
                                     QDBusConnection::ExportAllSlots));
    stranger_ = bus_.connect(QStringLiteral("stranger"));
    dovrik_ = bus_.connect(QStringLiteral("dovrik"));
    bridge_ = std::make_unique<KWinBridge>(dovrik_, mirror_, QStringLiteral("org.dovrik.Dovrik"),
                                           warmMilliseconds);
    ASSERT_TRUE(bridge_->isServing());
  }
  void TearDown() override {
    bridge_.reset();
    for (const char* name : {"kwin", "kwin2", "stranger", "dovrik", "dovrik2"})
      QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
  }

  static constexpr int warmMilliseconds = 300;
  PrivateBus bus_;
  FakeShortcutComponent shortcuts_;
  QDBusConnection kwin_{QString()};
  QDBusConnection stranger_{QString()};
  QDBusConnection dovrik_{QString()};
  mirror::WindowMirror mirror_;
  std::unique_ptr<KWinBridge> bridge_;
};

TEST_F(KWinBridgeTest, OnlyTheOwnerOfKWinsNameIsHeard) {
  const QDBusMessage refused =
      callBridge(stranger_, "Push", {QString::fromStdString(helloWithOneWindow)});
  EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"));
  EXPECT_FALSE(mirror_.answered());

  const QDBusMessage heard =
      callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  EXPECT_EQ(heard.type(), QDBusMessage::ReplyMessage) << heard.errorMessage().toStdString();
  EXPECT_TRUE(mirror_.answered());
  EXPECT_TRUE(mirror_.handleOf("{a}"));
}

TEST_F(KWinBridgeTest, QueuedCommandsRingOnceAndGoToKWinAloneAllAtOnce) {
  callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  bridge_->send(ActivateCommand{"{a}"});
  bridge_->send(SetFrameCommand{"{a}", {1, 2, 3, 4}});
  ASSERT_TRUE(waitFor([&] { return shortcuts_.rings == 1; }));

  const QDBusMessage refused = callBridge(stranger_, "TakeCommands");
  EXPECT_EQ(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"));

  const QDBusMessage taken = callBridge(kwin_, "TakeCommands");
  ASSERT_EQ(taken.type(), QDBusMessage::ReplyMessage);
  const QJsonArray commands =
      QJsonDocument::fromJson(taken.arguments().value(0).toString().toUtf8()).array();
  ASSERT_EQ(commands.size(), 2);
  EXPECT_EQ(commands[0].toObject()[QStringLiteral("op")].toString(), QStringLiteral("activate"));
  EXPECT_EQ(commands[1].toObject()[QStringLiteral("op")].toString(), QStringLiteral("setFrame"));
  EXPECT_EQ(callBridge(kwin_, "TakeCommands").arguments().value(0).toString(),
            QStringLiteral("[]"));
  EXPECT_EQ(shortcuts_.rings, 1);

  bridge_->send(CursorCommand{});
  EXPECT_TRUE(waitFor([&] { return shortcuts_.rings == 2; }));
}

TEST_F(KWinBridgeTest, TheWindowControlsRequestsAreQueuedAsScriptCommands) {
  callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  KWinWindowControl control(*bridge_);
  control.setFrame("{a}", {1, 2, 3, 4});
  control.activate("{a}");
  control.askForCursor();
  ASSERT_TRUE(waitFor([&] { return shortcuts_.rings == 1; }));
  const QDBusMessage taken = callBridge(kwin_, "TakeCommands");
  EXPECT_EQ(taken.arguments().value(0).toString().toStdString(),
            encodeCommands(
                {SetFrameCommand{"{a}", {1, 2, 3, 4}}, ActivateCommand{"{a}"}, CursorCommand{}}));
}

TEST_F(KWinBridgeTest, AFetchRightAfterCommandsWaitsForTheNextOneAndEndsEmptyWhenNoneComes) {
  callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  const auto fetch = [&] {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.dovrik.Dovrik"), QStringLiteral("/org/dovrik/KWin"),
        QStringLiteral("org.dovrik.KWin"), QStringLiteral("TakeCommands"));
    return QDBusPendingCall(kwin_.asyncCall(call, 5000));
  };
  const auto answer = [](const QDBusPendingCall& call) {
    return call.reply().arguments().value(0).toString();
  };

  QDBusPendingCall held = fetch();
  EXPECT_FALSE(waitFor([&] { return held.isFinished(); }, 100));
  bridge_->send(ActivateCommand{"{a}"});
  bridge_->send(SetFrameCommand{"{a}", {1, 2, 3, 4}});
  ASSERT_TRUE(waitFor([&] { return held.isFinished(); }));
  EXPECT_EQ(QJsonDocument::fromJson(answer(held).toUtf8()).array().size(), 2);
  EXPECT_EQ(shortcuts_.rings, 0);

  // Quiet: the held fetch ends empty, and the next command rings again.
  QDBusPendingCall quiet = fetch();
  ASSERT_TRUE(waitFor([&] { return quiet.isFinished(); }));
  EXPECT_EQ(answer(quiet), QStringLiteral("[]"));
  bridge_->send(CursorCommand{});
  EXPECT_TRUE(waitFor([&] { return shortcuts_.rings == 1; }));
}

TEST_F(KWinBridgeTest, ANewKWinStartsFromNothingAndTheOldOneIsNoLongerHeard) {
  callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  bridge_->send(ActivateCommand{"{a}"});
  ASSERT_TRUE(kwin_.unregisterService(QStringLiteral("org.kde.KWin")));
  ASSERT_TRUE(waitFor([&] { return !mirror_.answered(); }));
  EXPECT_TRUE(mirror_.windows().empty());

  QDBusConnection next = bus_.connect(QStringLiteral("kwin2"));
  ASSERT_TRUE(next.registerService(QStringLiteral("org.kde.KWin")));
  EXPECT_EQ(callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)}).type(),
            QDBusMessage::ErrorMessage);
  ASSERT_TRUE(waitFor([&] {
    return callBridge(next, "Push", {QString::fromStdString(helloWithOneWindow)}).type() ==
           QDBusMessage::ReplyMessage;
  }));
  EXPECT_TRUE(mirror_.answered());
  // What was asked of the old KWin is not handed to the new one.
  EXPECT_EQ(callBridge(next, "TakeCommands").arguments().value(0).toString(), QStringLiteral("[]"));
}

TEST_F(KWinBridgeTest, ASecondDovrikDoesNotTakeTheNameOver) {
  mirror::WindowMirror otherMirror;
  KWinBridge other(bus_.connect(QStringLiteral("dovrik2")), otherMirror);
  EXPECT_FALSE(other.isServing());
  callBridge(kwin_, "Push", {QString::fromStdString(helloWithOneWindow)});
  EXPECT_TRUE(mirror_.answered());
  EXPECT_FALSE(otherMirror.answered());
}

}  // namespace
}  // namespace dovrik::kwin

#include "KWinBridgeTest.moc"
