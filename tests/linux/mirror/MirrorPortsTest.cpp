// The ports answered from the mirror, on two outputs whose primary does not sit at the
// compositor's origin: the secondary is to its left.
#include <gtest/gtest.h>

#include <filesystem>

#include "MirroredWindows.h"
#include "TempFolder.h"
#include "linux/mirror/MirrorAccessibility.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/MirrorEventTap.h"
#include "linux/mirror/MirrorRunningApps.h"
#include "linux/mirror/MirrorScreens.h"
#include "linux/mirror/MirrorWindowList.h"
#include "linux/mirror/OwnWindowPlacement.h"

namespace dovrik::mirror {
namespace {

using test::window;
using test::WindowTraits;

// Process ids above any the system hands out, so that no real program is read for them.
constexpr long noProcess = 1L << 31;

const std::vector<MirroredOutput> outputs{{"DP-1", {1920, 0, 1920, 1080}, {1920, 0, 1920, 1040}},
                                          {"HDMI-1", {0, 0, 1920, 1080}, {0, 0, 1920, 1080}}};

// What the ports asked of the compositor, in order.
struct Request {
  std::string what;
  std::string id;
  Rect frame;
  friend bool operator==(const Request&, const Request&) = default;
};

class RecordingControl : public WindowControl {
 public:
  void setFrame(const std::string& id, const Rect& frame) override {
    requests.push_back({"setFrame", id, frame});
  }
  void activate(const std::string& id) override { requests.push_back({"activate", id, {}}); }
  void askForCursor() override { requests.push_back({"cursor", {}, {}}); }

  std::vector<Request> requests;
};

class MirrorPortsTest : public testing::Test {
 protected:
  void hello(const std::vector<MirroredWindow>& windows, const std::string& active = "",
             Point cursor = {}) {
    mirror.setCursor(cursor);
    mirror.replaceAll(outputs, windows, active);
  }
  void add(const WindowTraits& w) { mirror.addWindow(window(w)); }
  void move(MovePhase phase, const std::string& id, Point cursor) {
    mirror.setCursor(cursor);
    mirror.reportMove(phase, id);
  }
  AXElement element(const std::string& id) {
    return MirrorAccessibility::windowElement(*mirror.handleOf(id));
  }

  // The installed applications: a terminal that names its entry, as Wayland windows do, and one
  // known by its program, as an X11 window is. Each test has its own folder: tests run as
  // parallel processes, and one rewriting a shared file could leave another reading it empty.
  static std::string applicationsFolder(const std::filesystem::path& data) {
    std::filesystem::create_directories(data / "applications");
    files::testing::writeFile(data / "applications" / "org.kde.konsole.desktop",
                              "[Desktop Entry]\nType=Application\nName=Konsole\nExec=konsole\n"
                              "Categories=Qt;KDE;System;TerminalEmulator;\n");
    files::testing::writeFile(data / "applications" / "debian-xterm.desktop",
                              "[Desktop Entry]\nType=Application\nName=XTerm\nExec=xterm\n"
                              "Categories=System;TerminalEmulator;\n");
    return data.string();
  }

  files::testing::TempFolder data;
  WindowMirror mirror;
  files::DesktopEntries entries{{applicationsFolder(data.path())}};
  MirrorApps apps{mirror, entries};
  RecordingControl control;
  const std::vector<Request>& sent = control.requests;
  MirrorAccessibility accessibility{mirror, apps, control, "No windows yet"};
};

TEST_F(MirrorPortsTest, TrustFollowsTheCompositorsFullReport) {
  int announced = 0;
  accessibility.trustMayHaveChanged.connect([&] { ++announced; });
  EXPECT_FALSE(accessibility.isProcessTrusted());
  EXPECT_EQ(accessibility.untrustedReason(), "No windows yet");
  hello({});
  EXPECT_TRUE(accessibility.isProcessTrusted());
  EXPECT_EQ(accessibility.untrustedReason(), "");
  mirror.forget();
  EXPECT_FALSE(accessibility.isProcessTrusted());
  EXPECT_EQ(announced, 2);
}

TEST_F(MirrorPortsTest, FramesAreReadAndSetRelativeToThePrimaryOutput) {
  hello({window({.id = "{a}", .frame = {2000, 100, 800, 600}})});
  EXPECT_EQ(accessibility.copyFrame(element("{a}")), (Rect{80, 100, 800, 600}));
  EXPECT_EQ(accessibility.copyAttribute(element("{a}"), AXAttribute::Position),
            AXValue(Point{80, 100}));

  accessibility.setFrame(element("{a}"), {-1920, 0, 960, 1080});
  EXPECT_EQ(sent, (std::vector<Request>{{"setFrame", "{a}", {0, 0, 960, 1080}}}));
  // Read back at once, before the compositor confirms.
  EXPECT_EQ(accessibility.copyFrame(element("{a}")), (Rect{-1920, 0, 960, 1080}));
}

TEST_F(MirrorPortsTest, AGoneWindowAnswersNothingAndTakesNoCommand) {
  hello({window({.id = "{a}"}), window({.id = "{b}"})});
  const AXElement a = element("{a}");
  accessibility.activate(element("{b}"));
  EXPECT_EQ(sent, (std::vector<Request>{{"activate", "{b}", {}}}));
  mirror.removeWindow("{a}");
  EXPECT_FALSE(accessibility.copyFrame(a));
  EXPECT_FALSE(accessibility.copyAttribute(a, AXAttribute::Title));
  accessibility.setFrame(a, {0, 0, 10, 10});
  accessibility.activate(a);
  EXPECT_EQ(sent.size(), 1u);
}

TEST_F(MirrorPortsTest, TheElementAtAPointIsTheFrontmostVisibleOrdinaryWindow) {
  hello({window({.id = "{back}", .frame = {1920, 0, 1000, 1000}}),
         window({.id = "{front}", .frame = {2420, 0, 1000, 1000}}),
         window({.id = "{min}", .frame = {1920, 0, 1920, 1080}, .minimized = true}),
         window({.id = "{left}", .frame = {0, 0, 100, 100}}),
         window({.id = "{panel}", .frame = {1920, 1040, 1920, 40}, .kind = "dock"})},
        "{front}");
  const AXElement all = accessibility.systemWideElement();
  EXPECT_EQ(accessibility.elementAtPosition(all, {600, 10}), element("{front}"));
  EXPECT_EQ(accessibility.elementAtPosition(all, {100, 10}), element("{back}"));
  EXPECT_EQ(accessibility.elementAtPosition(all, {-1900, 10}), element("{left}"));
  EXPECT_FALSE(accessibility.elementAtPosition(all, {100, 1050}));
  mirror.setActive("{back}");
  EXPECT_EQ(accessibility.elementAtPosition(all, {600, 10}), element("{back}"));
}

TEST_F(MirrorPortsTest, ApplicationElementsAnswerForTheirOwnWindowsOnly) {
  hello({window({.id = "{a1}", .pid = 10}), window({.id = "{a2}", .pid = 10, .minimized = true}),
         window({.id = "{b}", .pid = 20}), window({.id = "{dock}", .pid = 10, .kind = "dock"})},
        "{b}");
  const AXElement appA = accessibility.applicationElement(10);
  EXPECT_FALSE(accessibility.copyAttribute(appA, AXAttribute::FocusedWindow));
  EXPECT_EQ(
      accessibility.copyAttribute(accessibility.applicationElement(20), AXAttribute::FocusedWindow),
      AXValue(element("{b}")));
  EXPECT_EQ(accessibility.copyAttribute(appA, AXAttribute::Windows),
            AXValue(std::vector<AXElement>{element("{a1}"), element("{a2}")}));
  mirror.setActive("{a2}");
  // The front-most window the user can see, though a minimized one was raised later.
  EXPECT_EQ(accessibility.copyAttribute(appA, AXAttribute::MainWindow), AXValue(element("{a1}")));
  EXPECT_EQ(accessibility.copyAttribute(element("{a2}"), AXAttribute::Parent), AXValue(appA));
  EXPECT_EQ(accessibility.copyAttribute(element("{a2}"), AXAttribute::Minimized), AXValue(true));
  EXPECT_FALSE(
      accessibility.copyAttribute(accessibility.applicationElement(30), AXAttribute::Windows));
}

TEST_F(MirrorPortsTest, ScreensAreInDesktopSpaceWithTheCompositorsUsableAreas) {
  std::vector<std::pair<std::string, Rect>> asked;
  MirrorScreens screens(mirror, control, [&](const std::string& name, const Rect& geometry) {
    asked.emplace_back(name, geometry);
    return name == "DP-1" ? std::optional<std::string>("UUID-OF-DP-1") : std::nullopt;
  });
  int changes = 0;
  screens.changed.connect([&] { ++changes; });
  EXPECT_TRUE(screens.screens().empty());
  EXPECT_FALSE(screens.mainScreen());
  hello({window({.id = "{left}", .frame = {100, 100, 400, 300}})}, "{left}", {100, 200});
  EXPECT_EQ(changes, 1);
  const auto all = screens.screens();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].name, "DP-1");
  EXPECT_EQ(all[0].frame, (Rect{0, 0, 1920, 1080}));
  EXPECT_EQ(all[0].visibleFrame, (Rect{0, 40, 1920, 1040}));
  EXPECT_EQ(all[0].uuid, "UUID-OF-DP-1");
  EXPECT_EQ(all[1].frame, (Rect{-1920, 0, 1920, 1080}));
  EXPECT_EQ(all[1].uuid, std::nullopt);
  EXPECT_NE(all[0].displayId, all[1].displayId);
  EXPECT_EQ(asked[0], std::make_pair(std::string("DP-1"), Rect{1920, 0, 1920, 1080}));
  EXPECT_EQ(screens.mainScreen()->name, "HDMI-1");

  EXPECT_EQ(screens.mouseLocation(), (Point{-1820, 880}));
  EXPECT_EQ(sent, (std::vector<Request>{{"cursor", {}, {}}}));
}

TEST_F(MirrorPortsTest, WithoutAnIdentityScreensCarryNoUuidAndNoCursorIsAskedBeforeTheFullReport) {
  MirrorScreens screens(mirror, control);
  EXPECT_FALSE(screens.mouseLocation());
  EXPECT_TRUE(sent.empty());
  hello({});
  EXPECT_EQ(screens.screens()[0].uuid, std::nullopt);
  EXPECT_EQ(screens.mainScreen()->name, "DP-1");
}

TEST_F(MirrorPortsTest, LaunchesAreFirstWindowsOfNewProcessesOrOfIdentitiesWithoutWindows) {
  hello({window({.id = "{x}", .resourceClass = "xterm", .pid = 10})});
  MirrorRunningApps running(mirror, apps, 99);
  std::vector<std::string> launched;
  running.didLaunch.connect(
      [&](const RunningApp& app) { launched.push_back(app.bundleIdentifier); });
  add({.id = "{x2}", .resourceClass = "xterm", .pid = 10});
  add({.id = "{k}", .resourceClass = "konsole", .desktopFileName = "org.kde.konsole", .pid = 20});
  add({.id = "{k2}", .resourceClass = "konsole", .desktopFileName = "org.kde.konsole", .pid = 20});
  add({.id = "{own}", .pid = 99});
  add({.id = "{n1}", .resourceClass = "nopid", .pid = 0});
  add({.id = "{n2}", .resourceClass = "nopid", .pid = 0});
  mirror.removeWindow("{n1}");
  mirror.removeWindow("{n2}");
  add({.id = "{n3}", .resourceClass = "nopid", .pid = 0});
  EXPECT_EQ(launched, (std::vector<std::string>{"org.kde.konsole", "nopid", "nopid"}));

  mirror.setActive("{k2}");
  const auto front = running.frontmostApplication();
  ASSERT_TRUE(front);
  EXPECT_EQ(front->pid, 20);
  EXPECT_EQ(front->windowClass, "konsole");
  const auto all = running.runningApplications();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].bundleIdentifier, "xterm");
  EXPECT_GE(all[3].pid, MirrorApps::firstSyntheticPid);
}

TEST_F(MirrorPortsTest, ApplicationsAreKnownByTheirDesktopEntriesElseByTheirClass) {
  hello(
      {window({.id = "{k}",
               .resourceClass = "konsole",
               .desktopFileName = "org.kde.konsole",
               .pid = noProcess + 20}),
       window(
           {.id = "{x}", .resourceClass = "xterm", .resourceName = "xterm", .pid = noProcess + 30}),
       window({.id = "{o}", .resourceClass = "other", .pid = noProcess + 40})});
  const auto all = MirrorRunningApps(mirror, apps, 99).runningApplications();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].bundleIdentifier, "org.kde.konsole");
  EXPECT_EQ(all[0].localizedName, "Konsole");
  EXPECT_EQ(all[0].windowClass, "konsole");
  EXPECT_EQ(all[0].categories,
            (std::vector<std::string>{"Qt", "KDE", "System", "TerminalEmulator"}));
  EXPECT_EQ(all[1].bundleIdentifier, "debian-xterm");
  EXPECT_EQ(all[1].localizedName, "XTerm");
  EXPECT_EQ(all[1].executable, "xterm");
  EXPECT_EQ(all[2].bundleIdentifier, "other");
  EXPECT_EQ(all[2].localizedName, "other");
  EXPECT_TRUE(all[2].categories.empty());
}

TEST_F(MirrorPortsTest, TheWindowListIsFrontToBackWithLayers) {
  hello({window({.id = "{a}", .pid = 1, .frame = {1920, 0, 10, 10}}),
         window({.id = "{bg}", .pid = 2, .kind = "desktop"}),
         window({.id = "{min}", .pid = 3, .minimized = true}),
         window({.id = "{panel}", .pid = 4, .kind = "dock"}),
         window({.id = "{tip}", .pid = 5, .kind = "other"})},
        "{a}");
  MirrorWindowList list(mirror, apps);
  const auto entries = list.onScreenWindows();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].layer, MirrorWindowList::normalLayer);
  EXPECT_EQ(entries[0].ownerPid, 1);
  EXPECT_EQ(entries[0].bounds, (Rect{0, 0, 10, 10}));
  // Each entry names its window, so a press found through the list knows what it holds.
  ASSERT_TRUE(entries[0].window && entries[1].window);
  EXPECT_NE(entries[0].window, entries[1].window);
  EXPECT_EQ(entries[1].layer, MirrorWindowList::dockLayer);
  EXPECT_EQ(entries[2].layer, MirrorWindowList::floatingLayer);
}

TEST_F(MirrorPortsTest, TitleBarMovesComeOutAsTheLeftButtonAtThePointer) {
  hello({window({.id = "{a}"})});
  MirrorEventTap tap(mirror, true);
  std::vector<TapEvent> events;
  const auto ref = tap.install([&](const TapEvent& e) { events.push_back(e); });
  ASSERT_TRUE(ref);
  std::optional<EventTapRef> selfRemoving;
  int selfRemovingCalls = 0;
  selfRemoving = tap.install([&](const TapEvent&) {
    ++selfRemovingCalls;
    tap.remove(*selfRemoving);
  });
  move(MovePhase::begin, "{a}", {1930, 5});
  move(MovePhase::step, "{a}", {100, 6});
  tap.setEnabled(*ref, false);
  move(MovePhase::step, "{a}", {101, 6});
  tap.setEnabled(*ref, true);
  move(MovePhase::end, "{a}", {102, 7});
  EXPECT_EQ(events, (std::vector<TapEvent>{{TapEventType::leftMouseDown, {10, 5}},
                                           {TapEventType::leftMouseDragged, {-1820, 6}},
                                           {TapEventType::leftMouseUp, {-1818, 7}}}));
  EXPECT_EQ(selfRemovingCalls, 1);
}

// Dovrik's own window is found by its title, whether or not Qt added the application's name to
// it; one reported later, or named only after it was reported, is placed as soon as its title
// comes, and placed again when its client's own size wins; the keyboard goes back afterwards.
TEST_F(MirrorPortsTest, OwnWindowsArePlacedByTitleAndGiveTheKeyboardBack) {
  RecordingControl control;
  OwnWindowPlacement own(mirror, control, 99, [](const Rect& r) { return r; });
  MirroredWindow popup = window({.id = "{p}", .pid = 99});
  popup.caption = "Dovrik Clipboard History \u2014 Dovrik";
  MirroredWindow lookalike = window({.id = "{l}", .pid = 99});
  lookalike.caption = "Dovrik Clipboard History 2";
  hello({window({.id = "{w}", .pid = 7}), lookalike, popup}, "{w}");

  own.present("Dovrik Clipboard History", {10, 20, 300, 400});
  own.returnKeyboard();
  EXPECT_EQ(control.requests, (std::vector<Request>{{"setFrame", "{p}", {10, 20, 300, 400}},
                                                    {"activate", "{p}", {}},
                                                    {"activate", "{w}", {}}}));

  // A client that commits the size it had before comes back to the asked frame, a few times
  // at most.
  control.requests.clear();
  own.present("Dovrik Clipboard History", {10, 20, 300, 400});
  control.requests.clear();
  popup.frame = {10, 20, 636, 750};
  for (int i = 0; i < OwnWindowPlacement::placementRetries + 2; ++i)
    mirror.changeWindow(popup);
  EXPECT_EQ(control.requests.size(), std::size_t(OwnWindowPlacement::placementRetries));
  EXPECT_EQ(control.requests.front(), (Request{"setFrame", "{p}", {10, 20, 300, 400}}));

  control.requests.clear();
  own.present("Dovrik Settings", {0, 0, 50, 50});
  EXPECT_TRUE(control.requests.empty());
  MirroredWindow settings = window({.id = "{s}", .pid = 99});
  settings.caption = "";
  mirror.addWindow(settings);
  EXPECT_TRUE(control.requests.empty());
  settings.caption = "Dovrik Settings";
  mirror.changeWindow(settings);
  EXPECT_EQ(control.requests,
            (std::vector<Request>{{"setFrame", "{s}", {0, 0, 50, 50}}, {"activate", "{s}", {}}}));
}

}  // namespace
}  // namespace dovrik::mirror
