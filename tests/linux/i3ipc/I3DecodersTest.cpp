// The decoders on replies and events captured from i3 4.22 (Xvfb, i3bar at the bottom) and
// sway 1.7 (headless, swaybar at the bottom), and on malformed text.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "linux/i3ipc/CommandReply.h"
#include "linux/i3ipc/I3Events.h"
#include "linux/i3ipc/I3Outputs.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {
namespace {

std::string captured(const std::string& name) {
  std::ifstream file(std::string(DOVRIK_I3IPC_CAPTURES) + "/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::optional<I3Event> capturedEvent(EventType type, const std::string& name) {
  return decodeEvent({eventBit | static_cast<std::uint32_t>(type), captured(name)});
}

TEST(I3DecodersTest, ReadsTheWindowsOfAnI3Tree) {
  const auto windows = decodeTree(captured("i3-tree.json"));
  ASSERT_TRUE(windows);
  // The i3bar dock is not a window to place.
  ASSERT_EQ(windows->size(), 2u);
  const I3Window& tiled = (*windows)[0];
  EXPECT_EQ(tiled.conId, 93958043458128);
  EXPECT_EQ(tiled.x11Window, 0x80000cu);
  EXPECT_EQ(tiled.x11Class, "XTerm");
  EXPECT_EQ(tiled.x11Instance, "xterm");
  EXPECT_EQ(tiled.title, "tiled xterm");
  EXPECT_EQ(tiled.windowType, "unknown");
  EXPECT_EQ(tiled.pid, std::nullopt);
  EXPECT_EQ(tiled.frame, (Rect{0, 0, 1280, 780}));
  EXPECT_FALSE(tiled.floating);
  EXPECT_EQ(tiled.workspace, "1");
  EXPECT_EQ(tiled.output, "screen");
  // Placed with "resize set 400 px 300 px, move absolute position 100 px 50 px"; xterm's
  // height increments took a pixel off.
  const I3Window& floating = (*windows)[1];
  EXPECT_EQ(floating.frame, (Rect{100, 50, 400, 299}));
  EXPECT_TRUE(floating.floating);
  EXPECT_TRUE(floating.focused);
}

TEST(I3DecodersTest, ReadsTheWindowsOfASwayTreeWithTheTitleBarAboveTheRect) {
  const auto windows = decodeTree(captured("sway-tree.json"));
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 3u);
  const I3Window& tiled = (*windows)[0];
  EXPECT_EQ(tiled.title, "tiled \"xterm\"");
  EXPECT_EQ(tiled.pid, 9152);
  EXPECT_EQ(tiled.frame, (Rect{0, 0, 1280, 777}));
  EXPECT_FALSE(tiled.floating);
  EXPECT_EQ(tiled.output, "HEADLESS-1");
  // The same placement as on i3 lands the title bar's top at 50.
  const I3Window& xwayland = (*windows)[1];
  EXPECT_EQ(xwayland.x11Window, 6291468u);
  EXPECT_EQ(xwayland.frame, (Rect{100, 50, 400, 300}));
  EXPECT_TRUE(xwayland.floating);
  const I3Window& native = (*windows)[2];
  EXPECT_EQ(native.appId, "zenity");
  EXPECT_EQ(native.x11Window, std::nullopt);
  EXPECT_EQ(native.frame, (Rect{551, 303, 178, 147}));
  EXPECT_TRUE(native.focused);
}

TEST(I3DecodersTest, ReadsWorkspacesAndOutputsOfBoth) {
  const auto i3 = decodeWorkspaces(captured("i3-workspaces.json"));
  ASSERT_TRUE(i3);
  EXPECT_EQ(*i3, (std::vector<I3Workspace>{{"1", "screen", {0, 0, 1280, 780}, true, true}}));
  const auto sway = decodeWorkspaces(captured("sway-workspaces.json"));
  ASSERT_TRUE(sway);
  EXPECT_EQ(*sway, (std::vector<I3Workspace>{{"1", "HEADLESS-1", {0, 0, 1280, 777}, true, true}}));

  const auto i3Outputs = decodeOutputs(captured("i3-outputs.json"));
  ASSERT_TRUE(i3Outputs);
  EXPECT_EQ(*i3Outputs, (std::vector<I3Output>{{"xroot-0", "", "", "", {0, 0, 1280, 800}, false},
                                               {"screen", "", "", "", {0, 0, 1280, 800}, true}}));
  const auto swayOutputs = decodeOutputs(captured("sway-outputs.json"));
  ASSERT_TRUE(swayOutputs);
  EXPECT_EQ(
      *swayOutputs,
      (std::vector<I3Output>{{"HEADLESS-1", "headless", "headless", "", {0, 0, 1280, 800}, true}}));
}

TEST(I3DecodersTest, ReadsCommandOutcomes) {
  EXPECT_EQ(decodeCommandReply(R"([{"success":true},{"success":false,"parse_error":true,)"
                               R"("error":"Expected one of these tokens: 'px', 'ppt'"}])"),
            (std::vector<CommandOutcome>{{true, ""},
                                         {false, "Expected one of these tokens: 'px', 'ppt'"}}));
  EXPECT_TRUE(allSucceeded({{true, ""}, {true, ""}}));
  EXPECT_FALSE(allSucceeded({{true, ""}, {false, "No matching node."}}));
  EXPECT_FALSE(allSucceeded({}));
}

TEST(I3DecodersTest, ReadsCapturedEvents) {
  const auto swayNew = capturedEvent(EventType::window, "sway-window-new.json");
  ASSERT_TRUE(swayNew);
  const auto& opened = std::get<WindowEvent>(*swayNew);
  EXPECT_EQ(opened.change, WindowEvent::Change::opened);
  EXPECT_EQ(opened.window.x11Window, 6291468u);
  EXPECT_EQ(opened.window.x11Class, "XTerm");

  // i3 reports a floating window's move with the wrapper around it.
  const auto i3Move = capturedEvent(EventType::window, "i3-window-move.json");
  ASSERT_TRUE(i3Move);
  const auto& moved = std::get<WindowEvent>(*i3Move);
  EXPECT_EQ(moved.change, WindowEvent::Change::move);
  EXPECT_EQ(moved.window.title, "third title");
  EXPECT_TRUE(moved.window.floating);

  for (const char* name : {"sway-binding.json", "i3-binding.json"}) {
    const auto binding = capturedEvent(EventType::binding, name);
    ASSERT_TRUE(binding) << name;
    EXPECT_EQ(std::get<BindingEvent>(*binding).command, "nop dovrik:7") << name;
  }

  const auto focus = capturedEvent(EventType::workspace, "i3-workspace-focus.json");
  ASSERT_TRUE(focus);
  const auto& workspace = std::get<WorkspaceEvent>(*focus);
  EXPECT_EQ(workspace.change, "focus");
  EXPECT_EQ(workspace.current, "2");
  EXPECT_EQ(workspace.old, "1");
}

TEST(I3DecodersTest, RefusesMalformedText) {
  struct Row {
    const char* name;
    std::string text;
  };
  const std::vector<Row> rows{
      {"empty", ""},
      {"not JSON", "i3-ipc"},
      {"truncated", R"([{"success":true})"},
      {"wrong top-level kind", R"({"success":true})"},
      {"too deep", std::string(100000, '[') + std::string(100000, ']')},
      {"entry without its key", R"([{"output":"x"}])"},
      {"rect of text", R"([{"name":"1","rect":{"x":"0","y":0,"width":1,"height":1}}])"},
      {"negative size", R"([{"name":"1","success":1,"rect":{"x":0,"y":0,"width":-1,"height":1}}])"},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(decodeTree(row.text)) << row.name;
    EXPECT_FALSE(decodeWorkspaces(row.text)) << row.name;
    EXPECT_FALSE(decodeOutputs(row.text)) << row.name;
    EXPECT_FALSE(decodeCommandReply(row.text)) << row.name;
    EXPECT_FALSE(decodeEvent({eventBit | 3, row.text})) << row.name;
  }
  // Events without their required parts, and frames that are no events.
  EXPECT_FALSE(decodeEvent({eventBit | 3, R"({"change":"new","container":{"id":1}})"}));
  EXPECT_FALSE(decodeEvent({eventBit | 5, R"({"change":"run","binding":{"command":7}})"}));
  EXPECT_FALSE(decodeEvent({eventBit | 9, R"({"change":"x"})"}));
  EXPECT_FALSE(decodeEvent({4, captured("i3-tree.json")}));
  // A tree whose window lacks its rect keeps the others.
  const auto windows = decodeTree(
      R"({"type":"root","nodes":[{"type":"output","name":"o","nodes":[{"type":"workspace",)"
      R"("name":"w","nodes":[{"id":1,"window":5},{"id":2,"window":6,)"
      R"("rect":{"x":1,"y":2,"width":3,"height":4}}]}]}]})");
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 1u);
  EXPECT_EQ((*windows)[0].conId, 2);
  EXPECT_EQ((*windows)[0].frame, (Rect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace dovrik::i3ipc
