// Hotkeys against a stand-in for KWin's global-shortcut service: what is registered, refused
// and released, that registrations come back with the service, and that presses are taken from
// that service's owner alone.
#include <gtest/gtest.h>

#include <Qt>

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QThread>
#include <cstdlib>

#include "PrivateBus.h"
#include "core/platform/Hotkeys.h"
#include "linux/kwin/KWinHotkeys.h"
#include "linux/kwin/KWinKeys.h"

namespace dovrik::kwin::test {

// A key sequence as kglobalaccel marshals it: a structure of four key combinations.
struct KeySequence {
  QList<int> keys;
};

}  // namespace dovrik::kwin::test

Q_DECLARE_METATYPE(dovrik::kwin::test::KeySequence)

namespace dovrik::kwin::test {

QDBusArgument& operator<<(QDBusArgument& argument, const KeySequence& sequence) {
  argument.beginStructure();
  argument << sequence.keys;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, KeySequence& sequence) {
  argument.beginStructure();
  argument >> sequence.keys;
  argument.endStructure();
  return argument;
}

// kglobalaccel's registry as far as Dovrik uses it: every action gets the keys asked for,
// except those some other action holds (`taken`), which it answers as empty. It reads the
// messages itself, since kglobalaccel's key sequences are no type Qt exports a slot with.
class FakeGlobalAccel : public QDBusVirtualObject {
 public:
  QList<int> taken;
  QStringList registered;

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QVariantList args = message.arguments();
    if (message.member() == QLatin1String("doRegister")) {
      registered.append(args.value(0).toStringList().value(1));
      return connection.send(message.createReply());
    }
    if (message.member() == QLatin1String("unregister"))
      return connection.send(
          message.createReply(registered.removeAll(args.value(1).toString()) > 0));
    if (message.member() == QLatin1String("setShortcutKeys")) {
      QList<KeySequence> given;
      for (const KeySequence& sequence :
           qdbus_cast<QList<KeySequence>>(args.value(1).value<QDBusArgument>())) {
        given.append(taken.contains(sequence.keys.value(0)) ? KeySequence{{0, 0, 0, 0}} : sequence);
      }
      return connection.send(message.createReply(QVariant::fromValue(given)));
    }
    return false;
  }
};

namespace {

using dbustest::PrivateBus;
using dbustest::waitFor;

constexpr int leftArrow = 123;
constexpr int rightArrow = 124;

class KWinHotkeysTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PrivateBus::ensureApplication();
    qDBusRegisterMetaType<KeySequence>();
    qDBusRegisterMetaType<QList<KeySequence>>();
  }
  void SetUp() override {
    if (!PrivateBus::available())
      GTEST_SKIP() << "dbus-daemon is not installed";
    // Dovrik waits for kglobalaccel's answers, so the stand-in answers from a thread of its own.
    accel_.moveToThread(&accelThread_);
    accelThread_.start();
    kwin_ = bus_.connect(QStringLiteral("kwin"));
    ASSERT_TRUE(kwin_.registerVirtualObject(QStringLiteral("/kglobalaccel"), &accel_));
    ASSERT_TRUE(kwin_.registerService(QStringLiteral("org.kde.kglobalaccel")));
    hotkeys_ = std::make_unique<KWinHotkeys>(bus_.connect(QStringLiteral("dovrik")));
    hotkeys_->installHandler([this](const EventHotKeyID& id) {
      pressed_.push_back(id);
      return noErr;
    });
  }
  void TearDown() override {
    hotkeys_.reset();
    accelThread_.quit();
    accelThread_.wait();
    for (const char* name : {"kwin", "dovrik"})
      QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
  }
  static QDBusMessage pressSignal(int keyCode, std::uint32_t modifiers) {
    QDBusMessage press = QDBusMessage::createSignal(
        QStringLiteral("/component/dovrik"), QStringLiteral("org.kde.kglobalaccel.Component"),
        QStringLiteral("globalShortcutPressed"));
    press << QStringLiteral("dovrik") << QString::fromStdString(shortcutName(keyCode, modifiers))
          << qlonglong(0);
    return press;
  }

  PrivateBus bus_;
  QThread accelThread_;
  FakeGlobalAccel accel_;
  QDBusConnection kwin_{QString()};
  std::unique_ptr<KWinHotkeys> hotkeys_;
  std::vector<EventHotKeyID> pressed_;
};

TEST_F(KWinHotkeysTest, ACombinationIsHeldOnceAndOneHeldElsewhereIsRefusedAndLeftAlone) {
  accel_.taken = {int(Qt::MetaModifier) | Qt::Key_Left};
  const auto held = hotkeys_->registerHotkey(leftArrow, controlKey | optionKey, {1, 1});
  ASSERT_EQ(held.status, noErr);
  const QString heldName = QString::fromStdString(shortcutName(leftArrow, controlKey | optionKey));
  EXPECT_EQ(accel_.registered, QStringList{heldName});
  EXPECT_EQ(hotkeys_->registerHotkey(leftArrow, controlKey | optionKey, {1, 2}).status,
            eventHotKeyExistsErr);
  // Refused, and not left registered without keys.
  EXPECT_EQ(hotkeys_->registerHotkey(leftArrow, cmdKey, {1, 3}).status, eventHotKeyExistsErr);
  EXPECT_EQ(accel_.registered, QStringList{heldName});
  EXPECT_EQ(hotkeys_->registerHotkey(53, controlKey, {1, 4}).status,
            KWinHotkeys::invalidHotKeyStatus);

  hotkeys_->unregisterHotkey(*held.ref);
  EXPECT_TRUE(accel_.registered.isEmpty());
  EXPECT_EQ(hotkeys_->registerHotkey(leftArrow, controlKey | optionKey, {1, 5}).status, noErr);
}

TEST_F(KWinHotkeysTest, PressesAreTakenFromTheServicesOwnerAlone) {
  ASSERT_EQ(hotkeys_->registerHotkey(leftArrow, controlKey | optionKey, {1, 1}).status, noErr);
  ASSERT_EQ(hotkeys_->registerHotkey(rightArrow, controlKey | optionKey, {1, 2}).status, noErr);
  // Another program says the first was pressed; its signal is out before KWin's is sent.
  const std::string command =
      "dbus-send --bus=" + bus_.address().toStdString() +
      " --type=signal /component/dovrik org.kde.kglobalaccel.Component.globalShortcutPressed"
      " string:dovrik string:" +
      shortcutName(leftArrow, controlKey | optionKey) + " int64:0";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(kwin_.send(pressSignal(rightArrow, controlKey | optionKey)));
  ASSERT_TRUE(waitFor([&] { return !pressed_.empty(); }));
  EXPECT_EQ(pressed_, (std::vector<EventHotKeyID>{{1, 2}}));
}

TEST_F(KWinHotkeysTest, RegistrationsComeBackWithTheServiceAndNeedIt) {
  ASSERT_EQ(hotkeys_->registerHotkey(leftArrow, controlKey | optionKey, {1, 1}).status, noErr);
  ASSERT_TRUE(kwin_.unregisterService(QStringLiteral("org.kde.kglobalaccel")));
  EXPECT_EQ(hotkeys_->registerHotkey(rightArrow, controlKey, {1, 2}).status,
            KWinHotkeys::invalidHotKeyStatus);
  QMetaObject::invokeMethod(
      &accel_, [this] { accel_.registered.clear(); }, Qt::BlockingQueuedConnection);
  ASSERT_TRUE(kwin_.registerService(QStringLiteral("org.kde.kglobalaccel")));
  const QString name = QString::fromStdString(shortcutName(leftArrow, controlKey | optionKey));
  EXPECT_TRUE(waitFor([&] {
    bool back = false;
    QMetaObject::invokeMethod(
        &accel_, [&] { back = accel_.registered.contains(name); }, Qt::BlockingQueuedConnection);
    return back;
  }));
}

}  // namespace
}  // namespace dovrik::kwin::test
