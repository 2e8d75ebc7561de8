// The snap preview's overlay-layer surface under a real KWin: shown where asked, moved,
// faded and hidden, while the focused window keeps the focus throughout.
#include <QPainter>
#include <algorithm>

#include "WaylandSession.h"
#include "linux/wayland/LayerShellOverlay.h"

namespace dovrik::waylandtest {
namespace {

class LayerShellOverlayTest : public WaylandTest {};

TEST_F(LayerShellOverlayTest, ShowsMovesFadesAndHidesWithoutTakingTheFocus) {
  auto window = launchWindow("keeps the focus");
  const auto connection = connect();
  std::vector<QSize> painted;
  // Desktop space has its origin at the bottom left; the compositor's at the top left.
  wayland::LayerShellOverlay overlay(
      *connection, mainQueue,
      [](const Rect& rect) {
        return Rect{rect.x, kwintest::KWinSession::height - rect.y - rect.height, rect.width,
                    rect.height};
      },
      [&](QPainter& painter, const QSize& size, const OverlayContent&) {
        painted.push_back(size);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::blue);
      },
      [](AnimationCurve, double progress) { return progress; });
  ASSERT_TRUE(overlay.isAvailable());

  overlay.setFrame({100, 200, 640, 400});
  overlay.setContent({0.3, true});
  overlay.setAlpha(0);
  overlay.orderFront();
  EXPECT_TRUE(overlay.isVisible());
  ASSERT_TRUE(runUntil([&] { return overlay.isShown(); }));
  EXPECT_EQ(painted.back(), QSize(640, 400));

  bool faded = false;
  overlay.animateAlpha(1, 0.2, AnimationCurve::easeOut, [&] { faded = true; });
  ASSERT_TRUE(runUntil([&] { return faded; }));
  EXPECT_DOUBLE_EQ(overlay.alpha(), 1);

  overlay.setFrame({0, 0, 320, 800});
  ASSERT_TRUE(runUntil([&] { return !painted.empty() && painted.back() == QSize(320, 800); }));
  EXPECT_TRUE(overlay.isShown());

  overlay.orderOut();
  EXPECT_FALSE(overlay.isVisible());
  EXPECT_FALSE(overlay.isShown());
  // The window was never deactivated: the overlay took no focus.
  window->sendLine("copy-text still focused");
  std::vector<std::string> said;
  while (said.empty() || said.back() != "copied text/plain") {
    const auto line = window->nextLine(std::chrono::seconds(5));
    ASSERT_TRUE(line.has_value());
    said.push_back(*line);
  }
  EXPECT_EQ(std::ranges::count(said, "inactive"), 0);
}

}  // namespace
}  // namespace dovrik::waylandtest
