// Keeping the copy of KWin's state: order, stacking, stale handles, forgetting.
#include <gtest/gtest.h>

#include "ScriptMessages.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {
namespace {

using test::feed;
using test::windowJson;

const std::string output = test::outputJson("0", {0, 0, 1280, 800}, {0, 0, 1280, 760});

std::string added(const std::string& id) {
  return R"({"type":"windowAdded","window":)" + windowJson({.id = id}) + "}";
}

std::vector<std::string> ids(const KWinMirror& mirror, const std::vector<WindowHandle>& handles) {
  std::vector<std::string> result;
  for (const WindowHandle handle : handles)
    result.push_back(mirror.window(handle)->id);
  return result;
}

TEST(KWinMirrorTest, AnswersOnlyAfterTheHelloAndAnnouncesEachChangeOfThat) {
  KWinMirror mirror;
  int changes = 0;
  mirror.answeredChanged.connect([&] { ++changes; });
  feed(mirror, added("{early}"));
  EXPECT_FALSE(mirror.answered());
  feed(mirror, test::hello(output, windowJson({.id = "{a}"})));
  EXPECT_TRUE(mirror.answered());
  feed(mirror, test::hello(output, windowJson({.id = "{a}"})));
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

TEST(KWinMirrorTest, TheHelloIsABaselineWhileLaterWindowsAreAnnouncedOnce) {
  KWinMirror mirror;
  std::vector<std::string> announced;
  mirror.windowAdded.connect([&](const KWinWindow& w) { announced.push_back(w.id); });
  feed(mirror, test::hello(output, windowJson({.id = "{a}"}) + "," + windowJson({.id = "{b}"})));
  feed(mirror, added("{c}"));
  feed(mirror, added("{c}"));
  EXPECT_EQ(announced, std::vector<std::string>{"{c}"});
  EXPECT_EQ(ids(mirror, mirror.windows()), (std::vector<std::string>{"{a}", "{b}", "{c}"}));
}

TEST(KWinMirrorTest, ActivationAndNewWindowsComeToTheFront) {
  KWinMirror mirror;
  feed(mirror,
       test::hello(output, windowJson({.id = "{a}"}) + "," + windowJson({.id = "{b}"}), "{b}"));
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{b}", "{a}"}));
  feed(mirror, R"({"type":"active","id":"{a}"})");
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{a}", "{b}"}));
  feed(mirror, added("{c}"));
  EXPECT_EQ(ids(mirror, mirror.frontToBack()), (std::vector<std::string>{"{c}", "{a}", "{b}"}));
  // Order of appearance does not follow the stacking.
  EXPECT_EQ(ids(mirror, mirror.windows()), (std::vector<std::string>{"{a}", "{b}", "{c}"}));
  feed(mirror, R"({"type":"active","id":""})");
  EXPECT_FALSE(mirror.active());
}

TEST(KWinMirrorTest, AWindowActivatedBeforeItIsReportedIsActiveOnceItIs) {
  KWinMirror mirror;
  feed(mirror, test::hello(output, windowJson({.id = "{a}"}), "{a}"));
  feed(mirror, R"({"type":"active","id":"{new}"})");
  EXPECT_FALSE(mirror.active());
  feed(mirror, added("{new}"));
  EXPECT_EQ(mirror.active(), mirror.handleOf("{new}"));
  EXPECT_EQ(mirror.frontToBack().front(), *mirror.handleOf("{new}"));
}

TEST(KWinMirrorTest, ARemovedWindowsHandleStaysDeadWhenItsIdComesBack) {
  KWinMirror mirror;
  feed(mirror, test::hello(output, windowJson({.id = "{a}"}), "{a}"));
  const WindowHandle old = *mirror.handleOf("{a}");
  feed(mirror, R"({"type":"windowRemoved","id":"{a}"})");
  EXPECT_EQ(mirror.window(old), nullptr);
  EXPECT_FALSE(mirror.active());
  EXPECT_TRUE(mirror.frontToBack().empty());
  feed(mirror, added("{a}"));
  EXPECT_NE(*mirror.handleOf("{a}"), old);
  EXPECT_EQ(mirror.window(old), nullptr);
}

TEST(KWinMirrorTest, ChangesReplaceTheWindowAndAnOptimisticFrameUntilKWinReports) {
  KWinMirror mirror;
  feed(mirror, test::hello(output, windowJson({.id = "{a}", .frame = {0, 0, 10, 10}})));
  const WindowHandle a = *mirror.handleOf("{a}");
  mirror.setFrameOptimistically(a, {50, 60, 400, 300});
  EXPECT_EQ(mirror.window(a)->frame, (Rect{50, 60, 400, 300}));
  feed(mirror, R"({"type":"windowChanged","window":)" +
                   windowJson({.id = "{a}", .frame = {50, 60, 402, 300}, .minimized = true}) + "}");
  EXPECT_EQ(mirror.window(a)->frame, (Rect{50, 60, 402, 300}));
  EXPECT_TRUE(mirror.window(a)->minimized);
}

TEST(KWinMirrorTest, OutputsAreAnnouncedOnlyWhenTheyDiffer) {
  KWinMirror mirror;
  int changes = 0;
  mirror.outputsChanged.connect([&] { ++changes; });
  feed(mirror, test::hello(output, ""));
  feed(mirror, R"({"type":"outputs","outputs":[)" + output + "]}");
  EXPECT_EQ(changes, 1);
  feed(mirror, R"({"type":"outputs","outputs":[)" +
                   test::outputJson("0", {0, 0, 1280, 800}, {0, 32, 1280, 768}) + "]}");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(mirror.outputs()[0].usable, (Rect{0, 32, 1280, 768}));
}

TEST(KWinMirrorTest, MovesOfKnownWindowsAreAnnouncedWithTheCursorAlreadyTaken) {
  KWinMirror mirror;
  feed(mirror, test::hello(output, windowJson({.id = "{a}"})));
  std::vector<std::pair<MoveMessage::Phase, Point>> seen;
  mirror.moved.connect(
      [&](MoveMessage::Phase phase, WindowHandle) { seen.emplace_back(phase, *mirror.cursor()); });
  feed(mirror, R"({"type":"moveBegin","id":"{a}","cursor":{"x":1,"y":2}})");
  feed(mirror, R"({"type":"moveStep","id":"{gone}","cursor":{"x":3,"y":4}})");
  feed(mirror, R"({"type":"moveEnd","id":"{a}","cursor":{"x":5,"y":6}})");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(MoveMessage::Phase::begin, Point{1, 2}));
  EXPECT_EQ(seen[1], std::make_pair(MoveMessage::Phase::end, Point{5, 6}));
}

}  // namespace
}  // namespace dovrik::kwin
