// Keeping the copy of a compositor's state: order, stacking, stale handles, forgetting.
#include <gtest/gtest.h>

#include "MirroredWindows.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {
namespace {

using test::window;

const std::vector<MirroredOutput> oneOutput{{"0", {0, 0, 1280, 800}, {0, 0, 1280, 760}}};

std::vector<std::string> ids(const WindowMirror& mirror, const std::vector<WindowHandle>& handles) {
  std::vector<std::string> result;
  for (const WindowHandle handle : handles)
    result.push_back(mirror.window(handle)->id);
  return result;
}

TEST(WindowMirrorTest, AnswersOnlyAfterEverythingIsReportedAndAnnouncesEachChangeOfThat) {
  WindowMirror mirror;
  int changes = 0;
  mirror.answeredChanged.connect([&] { ++changes; });
  mirror.addWindow(window({.id = "{early}"}));
  EXPECT_FALSE(mirror.answered());
  mirror.setCursor({1, 2});
  mirror.replaceAll(oneOutput, {window({.id = "{a}"})}, "");
  EXPECT_TRUE(mirror.answered());
  mirror.replaceAll(oneOutput, {window({.id = "{a}"})}, "");
  EXPECT_EQ(changes, 1);
  mirror.forget();
  EXPECT_FALSE(mirror.answered());
  EXPECT_TRUE(mirror.windows().empty());
  EXPECT_TRUE(mirror.outputs().empty());
  EXPECT_FALSE(mirror.cursor());
  EXPECT_EQ(changes, 2);
  mirror.forget();
  EXPECT_EQ(changes, 2);
}

TEST(WindowMirrorTest, EverythingReportedIsABaselineWhileLaterWindowsAreAnnouncedOnce) {
  WindowMirror mirror;
  std::vector<std::string> announced;
  mirror.windowAdded.connect([&](const MirroredWindow& w) { announced.push_back(w.id); });
  mirror.replaceAll(oneOutput, {window({.id = "{a}"}), window({.id = "{b}"})}, "");
  mirror.addWindow(window({.id = "{c}"}));
  mirror.addWindow(window({.id = "{c}"}));
  EXPECT_EQ(announced, std::vector<std::string>{"{c}"});
  EXPECT_EQ(ids(mirror, mirror.windows()), (std::vector<std::string>{"{a}", "{b}", "{c}"}));
}

TEST(WindowMirrorTest, ActivationAndNewWindowsComeToTheFront) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput, {window({.id = "{a}"}), window({.id = "{b}"})}, "{b}");
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{b}", "{a}"}));
  mirror.setActive("{a}");
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{a}", "{b}"}));
  mirror.addWindow(window({.id = "{c}"}));
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{c}", "{a}", "{b}"}));
  // Order of appearance does not follow the stacking.
  EXPECT_EQ(ids(mirror, mirror.windows()), (std::vector<std::string>{"{a}", "{b}", "{c}"}));
  mirror.setActive("");
  EXPECT_FALSE(mirror.active());
}

// A compositor's own stacking order wins over activation; the windows it does not name (not
// reported yet, or unknown ids) keep their order behind the named ones.
TEST(WindowMirrorTest, TheCompositorsStackingOrderIsTaken) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput,
                    {window({.id = "{a}"}), window({.id = "{b}"}), window({.id = "{c}"})}, "{c}");
  mirror.restack({"{b}", "{gone}", "{a}", "{b}"});
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{b}", "{a}", "{c}"}));
  mirror.setActive("{c}");
  EXPECT_EQ(ids(mirror, mirror.frontToBack()).front(), "{c}");
}

TEST(WindowMirrorTest, AWindowActivatedBeforeItIsReportedIsActiveOnceItIs) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput, {window({.id = "{a}"})}, "{a}");
  mirror.setActive("{new}");
  EXPECT_FALSE(mirror.active());
  mirror.addWindow(window({.id = "{new}"}));
  EXPECT_EQ(mirror.active(), mirror.handleOf("{new}"));
  EXPECT_EQ(mirror.frontToBack().front(), *mirror.handleOf("{new}"));
}

TEST(WindowMirrorTest, ARemovedWindowsHandleStaysDeadWhenItsIdComesBack) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput, {window({.id = "{a}"})}, "{a}");
  const WindowHandle old = *mirror.handleOf("{a}");
  mirror.removeWindow("{a}");
  EXPECT_EQ(mirror.window(old), nullptr);
  EXPECT_FALSE(mirror.active());
  EXPECT_TRUE(mirror.frontToBack().empty());
  mirror.addWindow(window({.id = "{a}"}));
  EXPECT_NE(*mirror.handleOf("{a}"), old);
  EXPECT_EQ(mirror.window(old), nullptr);
}

TEST(WindowMirrorTest, ChangesReplaceTheWindowAndAnOptimisticFrameUntilTheCompositorReports) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput, {window({.id = "{a}", .frame = {0, 0, 10, 10}})}, "");
  const WindowHandle a = *mirror.handleOf("{a}");
  mirror.setFrameOptimistically(a, {50, 60, 400, 300});
  EXPECT_EQ(mirror.window(a)->frame, (Rect{50, 60, 400, 300}));
  mirror.changeWindow(window({.id = "{a}", .frame = {50, 60, 402, 300}, .minimized = true}));
  EXPECT_EQ(mirror.window(a)->frame, (Rect{50, 60, 402, 300}));
  EXPECT_TRUE(mirror.window(a)->minimized);
}

TEST(WindowMirrorTest, OutputsAreAnnouncedOnlyWhenTheyDiffer) {
  WindowMirror mirror;
  int changes = 0;
  mirror.outputsChanged.connect([&] { ++changes; });
  mirror.replaceAll(oneOutput, {}, "");
  mirror.setOutputs(oneOutput);
  EXPECT_EQ(changes, 1);
  mirror.setOutputs({{"0", {0, 0, 1280, 800}, {0, 32, 1280, 768}}});
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(mirror.outputs()[0].usable, (Rect{0, 32, 1280, 768}));
}

TEST(WindowMirrorTest, MovesOfKnownWindowsAreAnnounced) {
  WindowMirror mirror;
  mirror.replaceAll(oneOutput, {window({.id = "{a}"})}, "");
  std::vector<std::pair<MovePhase, WindowHandle>> seen;
  mirror.moved.connect(
      [&](MovePhase phase, WindowHandle handle) { seen.emplace_back(phase, handle); });
  mirror.reportMove(MovePhase::begin, "{a}");
  mirror.reportMove(MovePhase::step, "{gone}");
  mirror.reportMove(MovePhase::end, "{a}");
  const WindowHandle a = *mirror.handleOf("{a}");
  EXPECT_EQ(seen, (std::vector<std::pair<MovePhase, WindowHandle>>{{MovePhase::begin, a},
                                                                   {MovePhase::end, a}}));
}

}  // namespace
}  // namespace dovrik::mirror
