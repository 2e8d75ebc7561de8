// The preview on GNOME: the picture in the byte order the Shell reads, sent only when it
// changed, and fades left to the Shell with their completions on time in virtual time.
#include <QPainter>
#include <optional>

#include "ShellStandIn.h"
#include "linux/gnome/GnomePreview.h"

namespace dovrik::gnome::test {
namespace {

class GnomePreviewTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    // The Shell's coordinates are the desktop's moved 100 to the right.
    preview.emplace(
        *shell, clock,
        [](const Rect& r) {
          return Rect{r.x + 100, r.y, r.width, r.height};
        },
        [this](QPainter& painter, const QSize& size, const OverlayContent& content) {
          ++paints;
          painter.fillRect(QRect({0, 0}, size), QColor(255, 0, 0, int(content.opacity * 255)));
        });
  }
  void TearDown() override {
    preview.reset();
    ShellTest::TearDown();
  }

  std::optional<GnomePreview> preview;
  int paints = 0;
};

TEST_F(GnomePreviewTest, ThePictureIsSentOnlyWhenFrameOrContentChanged) {
  preview->setContent({.opacity = 0.5});
  preview->setFrame({10, 20, 3, 2});
  preview->orderFront();
  const QVariantList shown = awaitCalls("ShowPreview", 1)[0];
  EXPECT_EQ(shown.mid(0, 4), (QVariantList{110, 20, 3, 2}));
  // Premultiplied BGRA, as Cogl's BGRA_8888_PRE reads it: half-transparent red.
  EXPECT_EQ(shown.value(4).toByteArray().size(), 3 * 2 * 4);
  EXPECT_EQ(shown.value(4).toByteArray().left(4), QByteArray::fromHex("00007f7f"));
  // The Shell makes a new preview transparent: the alpha follows it.
  EXPECT_EQ(awaitCalls("FadePreview", 1)[0], (QVariantList{1.0, 0u}));

  preview->setFrame({10, 20, 3, 2});
  preview->setContent({.opacity = 0.5});
  preview->setAlpha(1);
  preview->orderFront();
  preview->setFrame({11, 20, 3, 2});
  awaitCalls("ShowPreview", 2);
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(extension.callsOf(QStringLiteral("FadePreview")).size(), 1u);
  preview->orderOut();
  preview->orderFront();
  awaitCalls("ShowPreview", 3);
  EXPECT_EQ(extension.callsOf(QStringLiteral("HidePreview")).size(), 1u);
}

TEST_F(GnomePreviewTest, FadesAreLeftToTheShellAndCompleteOnTimeEvenWhenReplaced) {
  preview->setAlpha(0);
  preview->orderFront();
  std::vector<double> completedAt;
  preview->animateAlpha(1, 0.3, AnimationCurve::easeOut,
                        [&] { completedAt.push_back(clock.now()); });
  clock.advanceBy(0.1);
  preview->animateAlpha(0, 0.1, AnimationCurve::easeIn,
                        [&] { completedAt.push_back(clock.now()); });
  clock.advanceBy(0.1);
  // The fade ended at the alpha asked for: nothing to stop.
  preview->setAlpha(0);
  clock.advanceBy(0.2);
  EXPECT_EQ(awaitCalls("FadePreview", 3),
            (std::vector<QVariantList>{{0.0, 0u}, {1.0, 300u}, {0.0, 100u}}));
  EXPECT_EQ(completedAt, (std::vector<double>{0.2, 0.3}));
}

}  // namespace
}  // namespace dovrik::gnome::test
