// The preview on GNOME: the picture in the byte order the Shell reads, sent only when it
// changed, and fades left to the Shell with their completions on time in virtual time.
#include <QPainter>

#include "ShellFixture.h"
#include "linux/gnome/GnomePreview.h"

namespace dovrik::gnome::test {
namespace {

class GnomePreviewTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    // The Shell's coordinates here are the desktop's moved by 100 to the right.
    preview = std::make_unique<GnomePreview>(
        *shell, clock,
        [](const Rect& r) {
          return Rect{r.x + 100, r.y, r.width, r.height};
        },
        [this](QPainter& painter, const QSize& size, const OverlayContent& content) {
          ++paints;
          painter.fillRect(QRect(QPoint(0, 0), size),
                           QColor(255, 0, 0, int(content.opacity * 255)));
        });
  }
  void TearDown() override {
    preview.reset();
    ShellFixture::TearDown();
  }
  // Waits until the stand-in has seen `count` calls of `method` and answers them.
  std::vector<ExtensionCall> settled(const char* method, std::size_t count) {
    EXPECT_TRUE(waitUntil([&] { return callCount(method) >= count; })) << method;
    return extension.callsOf(QLatin1String(method));
  }

  std::unique_ptr<GnomePreview> preview;
  int paints = 0;
};

TEST_F(GnomePreviewTest, ThePictureIsSentOnlyWhenFrameOrContentChanged) {
  preview->setContent({.opacity = 0.5, .roundedCorners = true});
  preview->setFrame({10, 20, 3, 2});
  EXPECT_EQ(paints, 0) << "painted while hidden";
  preview->orderFront();
  const auto shown = settled("ShowPreview", 1);
  EXPECT_EQ(shown[0].args.mid(0, 4), (QVariantList{110, 20, 3, 2}));
  // Premultiplied BGRA, as Cogl's BGRA_8888_PRE reads it: half-transparent red.
  const QByteArray pixels = shown[0].args.value(4).toByteArray();
  ASSERT_EQ(pixels.size(), 3 * 2 * 4);
  EXPECT_EQ(quint8(pixels[0]), 0);
  EXPECT_EQ(quint8(pixels[1]), 0);
  EXPECT_NEAR(quint8(pixels[2]), 127, 1);
  EXPECT_NEAR(quint8(pixels[3]), 127, 1);
  // The Shell's new preview starts transparent: the alpha follows it.
  EXPECT_EQ(settled("FadePreview", 1)[0].args, (QVariantList{1.0, 0u}));

  preview->setFrame({10, 20, 3, 2});
  preview->setContent({.opacity = 0.5, .roundedCorners = true});
  preview->setAlpha(1);
  preview->orderFront();
  preview->setFrame({11, 20, 3, 2});
  settled("ShowPreview", 2);
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(callCount("ShowPreview"), 2u);
  EXPECT_EQ(callCount("FadePreview"), 1u);

  preview->orderOut();
  settled("HidePreview", 1);
  preview->orderFront();
  EXPECT_EQ(settled("ShowPreview", 3).size(), 3u) << "a hidden preview is shown anew";
}

TEST_F(GnomePreviewTest, FadesAreLeftToTheShellAndCompleteOnTimeEvenWhenReplaced) {
  preview->setFrame({0, 0, 4, 4});
  preview->setAlpha(0);
  preview->orderFront();
  std::vector<double> completedAt;
  preview->animateAlpha(1, 0.3, AnimationCurve::easeOut,
                        [&] { completedAt.push_back(clock.now()); });
  clock.advanceBy(0.1);
  preview->animateAlpha(0, 0.1, AnimationCurve::easeIn,
                        [&] { completedAt.push_back(clock.now()); });
  // Stopping a fade that ended at the alpha asked for sends nothing new.
  clock.advanceBy(0.1);
  preview->setAlpha(0);
  clock.advanceBy(0.2);
  const auto fades = settled("FadePreview", 3);
  ASSERT_EQ(fades.size(), 3u);
  EXPECT_EQ(fades[0].args, (QVariantList{0.0, 0u}));
  EXPECT_EQ(fades[1].args, (QVariantList{1.0, 300u}));
  EXPECT_EQ(fades[2].args, (QVariantList{0.0, 100u}));
  ASSERT_EQ(completedAt.size(), 2u);
  EXPECT_NEAR(completedAt[0], 0.2, 1e-9);
  EXPECT_NEAR(completedAt[1], 0.3, 1e-9);
}

}  // namespace
}  // namespace dovrik::gnome::test
