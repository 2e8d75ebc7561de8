// The clipboard adapter against real owners and requestors on a real server: change notices,
// text, secrets, images, INCR in both directions, a hung owner, and Dovrik's own writes.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>

#include "ClipboardClient.h"
#include "DesktopTest.h"

namespace dovrik::x11test {
namespace {

// A plain picture of one colour in the image `format`.
std::string picture(int width, int height, Qt::GlobalColor colour, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

std::string bigText() {
  std::string text;
  while (text.size() < (3u << 19))  // 1.5 MB, several INCR chunks either way
    text += "line " + std::to_string(text.size()) + "\n";
  return text;
}

class ClipboardTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    other = std::make_unique<ClipboardClient>(server->display());
    desktop->pasteboard.changed.connect([this](ChangeCount count) { notices.push_back(count); });
  }
  Pasteboard& pasteboard() { return desktop->pasteboard; }
  // Runs the adapters and the other application until `condition`.
  bool runUntil(const std::function<bool()>& condition) {
    return pumpUntil([&] {
      other->service();
      return condition();
    });
  }
  bool noticed(ChangeCount count) {
    return runUntil([&] { return !notices.empty() && notices.back() == count; });
  }
  std::optional<std::string> pasteFromDovrik(const std::string& target) {
    return other->pasteWaiting(target, [&](const auto& done) { return runUntil(done); });
  }
  // Reads the clipboard as PNG through the adapter.
  std::optional<Bytes> readPNG() {
    std::optional<std::optional<Bytes>> read;
    pasteboard().readPNG([&](std::optional<Bytes> bytes) { read = std::move(bytes); });
    return runUntil([&] { return read.has_value(); }) ? *read : std::nullopt;
  }

  std::unique_ptr<ClipboardClient> other;
  std::vector<ChangeCount> notices;
};

TEST_F(ClipboardTest, CopiedTextIsInHandWhenTheChangeIsReported) {
  other->own({{"UTF8_STRING", "  caf\xc3\xa9 \xff!\n"}, {"text/html", "<b>x</b>"}});
  ASSERT_TRUE(noticed(1));
  EXPECT_EQ(pasteboard().changeCount(), 1);
  // Invalid UTF-8 becomes U+FFFD; white space stays as the owner sent it.
  EXPECT_EQ(pasteboard().text(), "  caf\xc3\xa9 \xef\xbf\xbd!\n");
  // Exactly what the owner offers: the list of targets is read to its end and no further.
  auto types = pasteboard().types();
  std::ranges::sort(types);
  EXPECT_EQ(types, (std::vector<std::string>{"UTF8_STRING", "text/html"}));

  // A second copy by the same application is a change of its own.
  other->own({{"text/plain;charset=utf-8", "second"}});
  ASSERT_TRUE(noticed(2));
  EXPECT_EQ(pasteboard().text(), "second");
}

TEST_F(ClipboardTest, PasswordManagerHintIsReportedAsConcealed) {
  other->own({{"UTF8_STRING", "hunter2"}, {"x-kde-passwordManagerHint", "secret"}});
  ASSERT_TRUE(noticed(1));
  const auto types = pasteboard().types();
  EXPECT_NE(std::ranges::find(types, std::string(concealedContentType)), types.end());
  EXPECT_FALSE(pasteboard().text().has_value());
}

TEST_F(ClipboardTest, OfferedPngIsReadAsItIs) {
  const std::string png = "\x89PNG\r\n\x1a\nnot decoded on the way";
  other->own({{"image/png", png}});
  ASSERT_TRUE(noticed(1));
  EXPECT_EQ(readPNG(), Bytes(png.begin(), png.end()));
}

TEST_F(ClipboardTest, OtherImageFormatsAreConvertedToPng) {
  other->own({{"image/bmp", picture(4, 4, Qt::blue, "BMP")}});
  ASSERT_TRUE(noticed(1));
  const std::optional<Bytes> read = readPNG();
  ASSERT_TRUE(read.has_value());
  const QImage back = QImage::fromData(QByteArray::fromRawData(
      reinterpret_cast<const char*>(read->data()), static_cast<int>(read->size())));
  EXPECT_EQ(back.size(), QSize(4, 4));
  EXPECT_EQ(back.pixelColor(1, 1), QColor(Qt::blue));
}

TEST_F(ClipboardTest, LargeTextArrivesInIncrChunks) {
  const std::string text = bigText();
  other->own({{"UTF8_STRING", text}});
  ASSERT_TRUE(noticed(1));
  EXPECT_EQ(pasteboard().text(), text);
}

TEST_F(ClipboardTest, SilentOwnerNeitherStopsTheLoopNorLaterCopies) {
  int turns = 0;
  desktop->loop.every(0.02, [&] { ++turns; });
  other->own({{"UTF8_STRING", "never sent"}}, /*silent=*/true);
  ASSERT_TRUE(noticed(1));
  EXPECT_GT(turns, 2);  // the loop kept running while the owner said nothing
  EXPECT_FALSE(pasteboard().text().has_value());

  ClipboardClient next(server->display());
  next.own({{"UTF8_STRING", "after the hang"}});
  ASSERT_TRUE(runUntil([&] {
    next.service();
    return !notices.empty() && notices.back() == 2;
  }));
  EXPECT_EQ(pasteboard().text(), "after the hang");
}

TEST_F(ClipboardTest, WritesAreServedToOtherApplicationsUnderTheirOwnCount) {
  other->own({{"UTF8_STRING", "before"}});
  ASSERT_TRUE(noticed(1));

  const ChangeCount written = pasteboard().writeText("from Dovrik \xe2\x9c\x93", true);
  EXPECT_EQ(written, 2);
  EXPECT_EQ(pasteFromDovrik("UTF8_STRING"), "from Dovrik \xe2\x9c\x93");
  EXPECT_EQ(pasteFromDovrik("STRING"), "from Dovrik ?");
  // Our own ownership notice has arrived meanwhile and is not a second change.
  EXPECT_EQ(pasteboard().changeCount(), written);
  EXPECT_EQ(pasteboard().text(), "from Dovrik \xe2\x9c\x93");

  const std::string big = bigText();
  EXPECT_EQ(pasteboard().writeText(big, false), 3);
  EXPECT_EQ(pasteFromDovrik("text/plain;charset=utf-8"), big);

  const std::string png = picture(3, 2, Qt::red, "PNG");
  EXPECT_EQ(pasteboard().writePNG(Bytes(png.begin(), png.end()), false), 4);
  EXPECT_EQ(pasteFromDovrik("image/png"), png);
  EXPECT_FALSE(pasteFromDovrik("UTF8_STRING").has_value());
  EXPECT_FALSE(pasteboard().writePNG(Bytes{'n', 'o', 't'}, false).has_value());
  EXPECT_EQ(pasteboard().changeCount(), 4);

  // Another copy takes the clipboard back from us.
  other->own({{"UTF8_STRING", "after"}});
  ASSERT_TRUE(noticed(5));
  EXPECT_EQ(pasteboard().text(), "after");
}

}  // namespace
}  // namespace dovrik::x11test
