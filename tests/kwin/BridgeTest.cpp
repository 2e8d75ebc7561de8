// Dovrik's KWin script and the ports over it, against a real headless KWin with real Wayland
// and Xwayland clients.
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <filesystem>
#include <memory>

#include "Await.h"
#include "KWinTest.h"
#include "TestClients.h"
#include "core/platform/Hotkeys.h"
#include "linux/kwin/KWinAdapters.h"
#include "linux/kwin/KWinKeys.h"

namespace dovrik::kwintest {
namespace {

using namespace std::chrono_literals;
using kwin::KWinAdapters;
using mirror::MirrorAccessibility;
using mirror::MirroredWindow;

// A fresh Dovrik side for each test; the KWin of the fixture stays.
class BridgeTest : public KWinTest {
 protected:
  void SetUp() override {
    KWinTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    // KWin runs as the session's user and reads the script from a folder of that user's.
    scriptFolder_ = session().runtimeDir() + "/dovrik";
    std::filesystem::create_directories(scriptFolder_);
    ASSERT_EQ(chown(scriptFolder_.c_str(), session().user(), static_cast<gid_t>(-1)), 0);
    adapters_ = std::make_unique<KWinAdapters>(session().bus(), getpid(), mirror::DisplayIdentity{},
                                               QString::fromStdString(scriptFolder_));
    ASSERT_TRUE(adapters_->bridge.isServing());
    ASSERT_TRUE(await([&] { return adapters_->accessibility.isProcessTrusted(); }, 10s))
        << adapters_->loader.lastError().toStdString() << session().kwinLog();
  }
  void TearDown() override {
    adapters_.reset();
    for (auto& client : clients_)
      client->stop();
  }

  void startQtWindow(const std::string& title) {
    clients_.push_back(kwintest::startQtWindow(session(), title, "org.dovrik.TestWindow"));
  }
  void startXterm(const std::string& title) {
    clients_.push_back(kwintest::startXterm(session(), title, "XTerm"));
  }

  // The window with this caption, once the script has reported it.
  std::optional<AXElement> awaitWindow(const std::string& caption) {
    std::optional<AXElement> found;
    await(
        [&] {
          for (const auto handle : adapters_->mirror.windows()) {
            const MirroredWindow* window = adapters_->mirror.window(handle);
            if (window->caption == caption && window->frame.width > 0) {
              found = MirrorAccessibility::windowElement(handle);
              return true;
            }
          }
          return false;
        },
        15s);
    return found;
  }

  // KWin's own account of a window, asked past the script.
  QVariantMap kwinInfo(AXElement element) {
    const MirroredWindow* window =
        adapters_->mirror.window(*MirrorAccessibility::windowOf(element));
    if (!window)
      return {};
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.KWin", "/KWin", "org.kde.KWin", "getWindowInfo");
    call << QString::fromStdString(window->id);
    const QDBusReply<QVariantMap> info = session().bus().call(call, QDBus::BlockWithGui);
    return info.isValid() ? info.value() : QVariantMap{};
  }
  // Waits until the mirror knows `window` as the active one.
  bool becomesActive(AXElement window) {
    return await(
        [&] { return adapters_->mirror.active() == MirrorAccessibility::windowOf(window); }, 5s);
  }
  // Runs one of KWin's own window commands, as its shortcut would.
  void invokeKWinCommand(const QString& name) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/component/kwin",
                                       "org.kde.kglobalaccel.Component", "invokeShortcut");
    call << name;
    session().bus().call(call, QDBus::BlockWithGui);
  }
  std::optional<Rect> kwinFrame(AXElement element) {
    const QVariantMap info = kwinInfo(element);
    if (!info.contains("x"))
      return std::nullopt;
    return Rect{info["x"].toDouble(), info["y"].toDouble(), info["width"].toDouble(),
                info["height"].toDouble()};
  }

  std::string scriptFolder_;
  std::unique_ptr<KWinAdapters> adapters_;
  std::vector<std::unique_ptr<ChildProcess>> clients_;
};

class KWinScriptTest : public BridgeTest {};

TEST_F(KWinScriptTest, ReportsTheOutputAndTheWindowsAsTheyCome) {
  const auto screens = adapters_->screens.screens();
  ASSERT_EQ(screens.size(), 1u);
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, KWinSession::width, KWinSession::height}));
  EXPECT_EQ(screens[0].visibleFrame, screens[0].frame);

  std::vector<RunningApp> launched;
  adapters_->runningApps.didLaunch.connect([&](const RunningApp& app) { launched.push_back(app); });
  startXterm("dovrik xterm");
  const auto xterm = awaitWindow("dovrik xterm");
  ASSERT_TRUE(xterm);
  const auto owner = adapters_->accessibility.copyAttribute(*xterm, AXAttribute::Parent);
  ASSERT_TRUE(owner);
  ASSERT_EQ(launched.size(), 1u);
  // KWin gives the class in lower case; the program is known from its process.
  EXPECT_EQ(launched[0].windowClass, "xterm");
  EXPECT_EQ(launched[0].executable, "xterm");
  EXPECT_EQ(adapters_->accessibility.applicationElement(launched[0].pid),
            std::get<AXElement>(*owner));
  EXPECT_EQ(adapters_->accessibility.copyAttribute(*xterm, AXAttribute::Role),
            AXValue(std::string("AXWindow")));
}

TEST_F(KWinScriptTest, ANewWaylandWindowIsActiveAsSoonAsItIsKnown) {
  // KWin activates a Wayland window before it announces it; the hotkeys act on the active window.
  startQtWindow("dovrik new window");
  const auto window = awaitWindow("dovrik new window");
  ASSERT_TRUE(window);
  EXPECT_TRUE(becomesActive(*window));
}

TEST_F(KWinScriptTest, AnotherProgramOnTheBusIsRefused) {
  QDBusConnection stranger =
      QDBusConnection::connectToBus(QString::fromStdString(session().busAddress()), "stranger");
  for (const char* method : {"Push", "TakeCommands"}) {
    QDBusMessage call = QDBusMessage::createMethodCall("org.dovrik.Dovrik", "/org/dovrik/KWin",
                                                       "org.dovrik.KWin", method);
    if (std::string(method) == "Push")
      call << QString(R"({"type":"hello","outputs":[],"windows":[]})");
    const QDBusMessage reply = stranger.call(call, QDBus::BlockWithGui, 5000);
    EXPECT_EQ(reply.errorName(), "org.freedesktop.DBus.Error.AccessDenied") << method;
  }
  EXPECT_EQ(adapters_->screens.screens().size(), 1u);
  QDBusConnection::disconnectFromBus("stranger");
}

TEST_F(KWinScriptTest, ARestartedKWinGetsTheScriptAgain) {
  startXterm("before the restart");
  ASSERT_TRUE(awaitWindow("before the restart"));
  session().restartKWin();
  ASSERT_TRUE(await([&] { return adapters_->accessibility.isProcessTrusted(); }, 15s))
      << adapters_->loader.lastError().toStdString() << session().kwinLog();
  EXPECT_EQ(adapters_->screens.screens().size(), 1u);
  startXterm("after the restart");
  EXPECT_TRUE(awaitWindow("after the restart"));
}

class KWinSnapTest : public BridgeTest {
 protected:
  void expectSnapInOneCommand(AXElement window, const Rect& target, double cellSlack) {
    adapters_->accessibility.setFrame(window, target);
    std::optional<Rect> frame;
    const bool landed = await(
        [&] {
          frame = kwinFrame(window);
          return frame && frame->x == target.x && frame->y == target.y &&
                 frame->width <= target.width && frame->width > target.width - cellSlack &&
                 frame->height <= target.height && frame->height > target.height - cellSlack;
        },
        10s);
    EXPECT_TRUE(landed) << (frame ? std::to_string(frame->x) + "," + std::to_string(frame->y) +
                                        " " + std::to_string(frame->width) + "x" +
                                        std::to_string(frame->height)
                                  : std::string("no frame"));
    // What KWin reported back replaces the optimistic frame.
    EXPECT_TRUE(await([&] { return adapters_->accessibility.copyFrame(window) == frame; }, 5s));
  }
};

TEST_F(KWinSnapTest, AQtWaylandWindowLandsOnTheLeftHalfAndAnXtermOnTheRightWithinACell) {
  startQtWindow("dovrik wayland window");
  startXterm("dovrik xterm snap");
  const auto wayland = awaitWindow("dovrik wayland window");
  const auto xterm = awaitWindow("dovrik xterm snap");
  ASSERT_TRUE(wayland && xterm);
  expectSnapInOneCommand(*wayland, {0, 0, 640, 800}, 1);
  // xterm sizes itself in whole character cells.
  expectSnapInOneCommand(*xterm, {640, 0, 640, 800}, 20);
}

TEST_F(KWinSnapTest, MaximizedAndTiledWindowsLandToo) {
  startQtWindow("dovrik maximized");
  const auto window = awaitWindow("dovrik maximized");
  ASSERT_TRUE(window);
  ASSERT_TRUE(becomesActive(*window));
  invokeKWinCommand("Window Maximize");
  ASSERT_TRUE(await([&] { return kwinFrame(*window) == Rect{0, 0, 1280, 800}; }, 5s));
  expectSnapInOneCommand(*window, {0, 0, 640, 400}, 1);
  // No longer maximized either, so KWin's maximize button maximizes it again.
  EXPECT_EQ(kwinInfo(*window)["maximizeHorizontal"].toInt(), 0);
  EXPECT_EQ(kwinInfo(*window)["maximizeVertical"].toInt(), 0);

  // KWin's own tiling, by its shortcut.
  ASSERT_EQ(pressKeys(session(), {"meta+Right"}), 0);
  ASSERT_TRUE(await(
      [&] {
        return kwinFrame(*window) == Rect{640, 0, 640, 800};
      },
      5s))
      << kwinFrame(*window)->x;
  expectSnapInOneCommand(*window, {0, 400, 1280, 400}, 1);
}

TEST_F(KWinSnapTest, AWindowIsActivatedOnRequest) {
  startXterm("dovrik first");
  const auto first = awaitWindow("dovrik first");
  startQtWindow("dovrik second");
  const auto second = awaitWindow("dovrik second");
  ASSERT_TRUE(first && second);
  // Whether KWin gives a new window the focus is its own choice; the other one is asked for.
  const auto activeIs = [&](AXElement window) {
    return adapters_->mirror.active() == MirrorAccessibility::windowOf(window);
  };
  ASSERT_TRUE(await([&] { return activeIs(*first) || activeIs(*second); }, 5s));
  const AXElement target = activeIs(*first) ? *second : *first;
  adapters_->accessibility.activate(target);
  EXPECT_TRUE(becomesActive(target));
}

class KWinMoveTest : public BridgeTest {};

TEST_F(KWinMoveTest, AnInteractiveMoveComesOutAsALeftButtonDragAtThePointer) {
  startXterm("dovrik moved");
  const auto window = awaitWindow("dovrik moved");
  ASSERT_TRUE(window);
  ASSERT_TRUE(becomesActive(*window));
  std::vector<TapEvent> events;
  ASSERT_TRUE(adapters_->eventTap.install([&](const TapEvent& e) { events.push_back(e); }));

  // KWin's own move command, then the keyboard: the same interactive move a title-bar drag is.
  invokeKWinCommand("Window Move");
  ASSERT_TRUE(await([&] { return !events.empty(); }, 5s));
  ASSERT_EQ(pressKeys(session(), {"Right", "Right", "Return"}), 0);
  ASSERT_TRUE(await(
      [&] { return !events.empty() && events.back().type == TapEventType::leftMouseUp; }, 5s));

  EXPECT_EQ(events.front().type, TapEventType::leftMouseDown);
  ASSERT_GE(events.size(), 3u);
  for (std::size_t i = 1; i + 1 < events.size(); ++i)
    EXPECT_EQ(events[i].type, TapEventType::leftMouseDragged);
  // The pointer went right with the window.
  EXPECT_GT(events.back().location.x, events.front().location.x);
  EXPECT_EQ(events.back().location.y, events.front().location.y);
  const auto frame = adapters_->accessibility.copyFrame(*window);
  ASSERT_TRUE(frame);
  EXPECT_TRUE(events.back().location.x >= frame->minX() &&
              events.back().location.x < frame->maxX());
}

class KWinHotkeysTest : public BridgeTest {};

TEST_F(KWinHotkeysTest, AFreeCombinationIsHeldOnceAndKWinsOwnAreRefused) {
  Hotkeys& hotkeys = adapters_->hotkeys;
  const auto first = hotkeys.registerHotkey(123, controlKey | optionKey, {1, 1});
  ASSERT_EQ(first.status, noErr);
  EXPECT_EQ(hotkeys.registerHotkey(123, controlKey | optionKey, {1, 2}).status,
            eventHotKeyExistsErr);
  // Meta+Left tiles a window in KWin.
  EXPECT_EQ(hotkeys.registerHotkey(123, cmdKey, {1, 3}).status, eventHotKeyExistsErr);
  // Released, it can be held again.
  hotkeys.unregisterHotkey(*first.ref);
  const auto again = hotkeys.registerHotkey(123, controlKey | optionKey, {1, 4});
  EXPECT_EQ(again.status, noErr);
}

TEST_F(KWinHotkeysTest, APressReachesTheHandlersAndAnotherProgramsCombinationIsRefused) {
  Hotkeys& hotkeys = adapters_->hotkeys;
  std::vector<EventHotKeyID> pressed;
  hotkeys.installHandler([&](const EventHotKeyID& id) {
    pressed.push_back(id);
    return noErr;
  });
  ASSERT_EQ(hotkeys.registerHotkey(124, controlKey | optionKey, {7, 8}).status, noErr);
  // KWin announces a press of the shortcut as it does for a key press.
  QDBusMessage invoke =
      QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/component/dovrik",
                                     "org.kde.kglobalaccel.Component", "invokeShortcut");
  invoke << QString::fromStdString(kwin::shortcutName(124, controlKey | optionKey));
  session().bus().call(invoke, QDBus::BlockWithGui);
  ASSERT_TRUE(await([&] { return !pressed.empty(); }, 5s));
  EXPECT_EQ(pressed[0], (EventHotKeyID{7, 8}));

  // And as a keyboard presses it.
  pressed.clear();
  ASSERT_EQ(pressKeys(session(), {"ctrl+alt+Right"}), 0);
  ASSERT_TRUE(await([&] { return !pressed.empty(); }, 5s));
  EXPECT_EQ(pressed[0], (EventHotKeyID{7, 8}));

  // Another program takes Ctrl+Alt+Up through kglobalaccel first.
  const QStringList other{"otherprogram", "up", "Other Program", "Up"};
  QDBusMessage reg = QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/kglobalaccel",
                                                    "org.kde.KGlobalAccel", "doRegister");
  reg << other;
  session().bus().call(reg, QDBus::BlockWithGui);
  QDBusMessage set = QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/kglobalaccel",
                                                    "org.kde.KGlobalAccel", "setShortcut");
  set << other
      << QVariant::fromValue(QList<int>{int(Qt::ControlModifier | Qt::AltModifier) | Qt::Key_Up})
      << uint(2 | 4);
  session().bus().call(set, QDBus::BlockWithGui);
  EXPECT_EQ(hotkeys.registerHotkey(126, controlKey | optionKey, {1, 9}).status,
            eventHotKeyExistsErr);
}

}  // namespace
}  // namespace dovrik::kwintest
