// The clipboard adapter against a real KWin and real clients: copies by a Qt Wayland window
// with their types, secrets, images, a large image while the loop keeps turning, and Dovrik's
// own writes as other clients see them.
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <algorithm>

#include "WaylandSession.h"
#include "core/platform/KeptFormats.h"
#include "linux/wayland/DataControlPasteboard.h"

namespace dovrik::waylandtest {
namespace {

Bytes pngOf(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(png.begin(), png.end());
}

bool has(const std::vector<std::string>& types, std::string_view type) {
  return std::ranges::find(types, type) != types.end();
}

class DataControlPasteboardTest : public WaylandTest {
 protected:
  void SetUp() override {
    WaylandTest::SetUp();
    if (IsSkipped())
      return;
    connection = connect();
    ASSERT_TRUE(connection->isConnected());
    pasteboard =
        std::make_unique<wayland::DataControlPasteboard>(*connection, mainQueue, background);
    ASSERT_TRUE(pasteboard->isAvailable());
    pasteboard->changed.connect([this](ChangeCount count) { notices.push_back(count); });
  }

  bool noticed(ChangeCount count) {
    return runUntil([&] { return !notices.empty() && notices.back() == count; });
  }
  std::optional<Bytes> readPNG(Pasteboard& from) {
    std::optional<std::optional<Bytes>> read;
    from.readPNG([&](std::optional<Bytes> bytes) { read = std::move(bytes); });
    if (!runUntil([&] { return read.has_value(); }, 30))
      return std::nullopt;
    return *read;
  }

  std::unique_ptr<wayland::WaylandConnection> connection;
  std::unique_ptr<wayland::DataControlPasteboard> pasteboard;
  std::vector<ChangeCount> notices;
};

TEST_F(DataControlPasteboardTest, CopiesOfAWindowAreSeenWithTheirTypesTextAndImage) {
  const ChangeCount start = pasteboard->changeCount();
  auto window = launchWindow("copier");
  window->sendLine("copy-text caf\xc3\xa9 from Qt");
  ASSERT_EQ(awaitLine(*window, "copied"), "copied text/plain");
  ASSERT_TRUE(noticed(start + 1));
  EXPECT_EQ(pasteboard->changeCount(), start + 1);
  EXPECT_EQ(pasteboard->text(), "caf\xc3\xa9 from Qt");
  const auto types = pasteboard->types();
  EXPECT_TRUE(has(types, "text/plain;charset=utf-8")) << types.size();
  EXPECT_FALSE(has(types, std::string(concealedContentType)));

  window->sendLine("copy-image 40 30");
  ASSERT_EQ(awaitLine(*window, "copied"), "copied image/png");
  ASSERT_TRUE(noticed(start + 2));
  EXPECT_TRUE(has(pasteboard->types(), "image/png"));
  EXPECT_FALSE(pasteboard->text().has_value());
  const auto png = readPNG(*pasteboard);
  ASSERT_TRUE(png.has_value());
  const QImage image = QImage::fromData(png->data(), static_cast<int>(png->size()), "PNG");
  EXPECT_EQ(image.size(), QSize(40, 30));
}

TEST_F(DataControlPasteboardTest, SecretCopyIsConcealedAndItsTextNeverRead) {
  const ChangeCount start = pasteboard->changeCount();
  auto window = launchWindow("password manager");
  window->sendLine("copy-secret hunter2");
  ASSERT_EQ(awaitLine(*window, "copied"), "copied secret");
  ASSERT_TRUE(noticed(start + 1));
  EXPECT_TRUE(has(pasteboard->types(), std::string(concealedContentType)));
  EXPECT_FALSE(pasteboard->text().has_value());
}

TEST_F(DataControlPasteboardTest, OwnWritesReachOtherClientsAndCountOnce) {
  auto otherConnection = connect();
  wayland::DataControlPasteboard other(*otherConnection, mainQueue, background);
  std::vector<ChangeCount> otherNotices;
  other.changed.connect([&](ChangeCount count) { otherNotices.push_back(count); });

  const ChangeCount written = pasteboard->writeText("from Dovrik \xe2\x9c\x93", true);
  EXPECT_EQ(pasteboard->changeCount(), written);
  ASSERT_TRUE(runUntil([&] { return other.text() == "from Dovrik \xe2\x9c\x93"; }));
  // The compositor's announcement of our own selection has come by now: not a change.
  connection->roundtrip();
  runUntil([] { return false; }, 0.2);
  EXPECT_EQ(pasteboard->changeCount(), written);
  EXPECT_EQ(std::ranges::count(notices, written + 1), 0);
  EXPECT_TRUE(has(other.types(), "UTF8_STRING"));
  EXPECT_FALSE(std::ranges::any_of(other.types(), [](const std::string& type) {
    return type.starts_with("application/x-dovrik");
  }));

  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(Qt::green);
  const Bytes png = pngOf(image);
  const auto pngCount = pasteboard->writePNG(png, false);
  ASSERT_TRUE(pngCount.has_value());
  EXPECT_EQ(*pngCount, written + 1);
  EXPECT_FALSE(pasteboard->writePNG(Bytes{'n', 'o', 't'}, false).has_value());
  ASSERT_TRUE(runUntil([&] { return has(other.types(), "image/png"); }));
  EXPECT_EQ(readPNG(other), png);

  // A window's copy takes the clipboard back: counted, and it is the window's content.
  auto window = launchWindow("after Dovrik");
  window->sendLine("copy-text taken back");
  ASSERT_EQ(awaitLine(*window, "copied"), "copied text/plain");
  ASSERT_TRUE(noticed(written + 2));
  EXPECT_EQ(pasteboard->text(), "taken back");
}

// Forms written with a text reach another client, which reads the kept ones with the text and
// leaves out one over its bound.
TEST_F(DataControlPasteboardTest, FormsWrittenWithATextAreReadBackWithinTheirBounds) {
  auto otherConnection = connect();
  wayland::DataControlPasteboard other(*otherConnection, mainQueue, background);
  const PasteboardRepresentation html{"text/html", "<p>rich <b>words</b></p>"};
  const std::string addresses(keptFormatBound("text/uri-list") + 1, 'a');
  const ChangeCount written = pasteboard->writeRepresentations(
      {{std::string(plainTextType), "rich words"}, html, {"text/uri-list", addresses}}, false);
  EXPECT_EQ(pasteboard->formats().size(), 2u);
  ASSERT_TRUE(runUntil([&] { return other.text() == "rich words"; }));
  EXPECT_EQ(other.formats(), (std::vector<PasteboardRepresentation>{html}));
  EXPECT_TRUE(has(other.types(), "text/uri-list"));

  // Written as a text alone, nothing else is offered.
  pasteboard->writeText("rich words", false);
  ASSERT_TRUE(runUntil([&] { return !has(other.types(), "text/html"); }));
  EXPECT_TRUE(other.formats().empty());
  EXPECT_EQ(pasteboard->changeCount(), written + 1);
}

TEST_F(DataControlPasteboardTest, LargeImageArrivesWhileTheLoopKeepsTurning) {
  // A valid PNG header whose data runs on for tens of megabytes: read as it is, never decoded.
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::red);
  Bytes big = pngOf(image);
  big.resize(48u << 20, 0x5a);
  auto otherConnection = connect();
  wayland::DataControlPasteboard other(*otherConnection, mainQueue, background);
  const ChangeCount start = pasteboard->changeCount();
  ASSERT_TRUE(other.writePNG(big, false).has_value());
  ASSERT_TRUE(noticed(start + 1));

  QElapsedTimer clock;
  clock.start();
  qint64 last = 0;
  qint64 longestGap = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, clock.elapsed() - last);
    last = clock.elapsed();
  });
  ticks.start(5);
  const auto read = readPNG(*pasteboard);
  ticks.stop();
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), big.size());
  EXPECT_TRUE(*read == big);
  // Both ends of the pipe run on this loop: neither may hold it for long.
  EXPECT_LT(longestGap, 250) << "ms without a turn of the loop";
}

}  // namespace
}  // namespace dovrik::waylandtest
