// Each script message as the change to the mirror it stands for.
#include <gtest/gtest.h>

#include "ScriptMessages.h"
#include "linux/scriptreport/ScriptReportFeed.h"

namespace dovrik::scriptreport {
namespace {

using test::feed;
using test::windowJson;

const std::string output = test::outputJson("0", {0, 0, 1280, 800}, {0, 0, 1280, 760});

TEST(ScriptReportFeedTest, EachMessageChangesTheMirrorAsItSays) {
  mirror::WindowMirror mirror;
  std::vector<std::string> announced;
  mirror.windowAdded.connect([&](const mirror::MirroredWindow& w) { announced.push_back(w.id); });
  feed(mirror, test::hello(output, windowJson({.id = "{a}"}) + "," + windowJson({.id = "{b}"}),
                           "{b}", {7, 8}));
  EXPECT_TRUE(mirror.answered());
  ASSERT_EQ(mirror.outputs().size(), 1u);
  EXPECT_EQ(mirror.outputs()[0].usable, (Rect{0, 0, 1280, 760}));
  EXPECT_EQ(mirror.windows().size(), 2u);
  EXPECT_EQ(mirror.active(), mirror.handleOf("{b}"));
  EXPECT_EQ(mirror.cursor(), (Point{7, 8}));
  EXPECT_TRUE(announced.empty());

  feed(mirror, R"({"type":"windowAdded","window":)" + windowJson({.id = "{c}"}) + "}");
  EXPECT_EQ(announced, std::vector<std::string>{"{c}"});
  EXPECT_EQ(mirror.frontToBack().front(), *mirror.handleOf("{c}"));
  feed(mirror,
       R"({"type":"windowChanged","window":)" + windowJson({.id = "{c}", .minimized = true}) + "}");
  EXPECT_TRUE(mirror.window(*mirror.handleOf("{c}"))->minimized);
  feed(mirror, R"({"type":"active","id":"{a}"})");
  EXPECT_EQ(mirror.active(), mirror.handleOf("{a}"));
  feed(mirror, R"({"type":"windowRemoved","id":"{a}"})");
  EXPECT_FALSE(mirror.handleOf("{a}"));
  feed(mirror, R"({"type":"outputs","outputs":[)" +
                   test::outputJson("0", {0, 0, 1280, 800}, {0, 32, 1280, 768}) + "]}");
  EXPECT_EQ(mirror.outputs()[0].usable, (Rect{0, 32, 1280, 768}));
  feed(mirror, R"({"type":"cursor","cursor":{"x":9,"y":10}})");
  EXPECT_EQ(mirror.cursor(), (Point{9, 10}));
}

TEST(ScriptReportFeedTest, AMoveIsAnnouncedWithThePointerItsMessageCarries) {
  mirror::WindowMirror mirror;
  feed(mirror, test::hello(output, windowJson({.id = "{a}"})));
  std::vector<std::pair<mirror::MovePhase, Point>> seen;
  mirror.moved.connect([&](mirror::MovePhase phase, mirror::WindowHandle) {
    seen.emplace_back(phase, *mirror.cursor());
  });
  feed(mirror, R"({"type":"moveBegin","id":"{a}","cursor":{"x":1,"y":2}})");
  feed(mirror, R"({"type":"moveStep","id":"{a}","cursor":{"x":3,"y":4}})");
  feed(mirror, R"({"type":"moveEnd","id":"{a}","cursor":{"x":5,"y":6}})");
  EXPECT_EQ(seen,
            (std::vector<std::pair<mirror::MovePhase, Point>>{{mirror::MovePhase::begin, {1, 2}},
                                                              {mirror::MovePhase::step, {3, 4}},
                                                              {mirror::MovePhase::end, {5, 6}}}));
}

}  // namespace
}  // namespace dovrik::scriptreport
