// The GNOME clipboard against a stand-in extension: Dovrik's own writes counted once, secrets
// never read, a late answer for an overtaken change dropped, content beyond its bounds left
// out, and the one form GNOME's memory source can hold.
#include "ShellStandIn.h"
#include "core/platform/KeptFormats.h"
#include "linux/gnome/GnomePasteboard.h"

namespace dovrik::gnome::test {
namespace {

const QString utf8Text = QStringLiteral("text/plain;charset=utf-8");

class GnomePasteboardTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    pasteboard = std::make_unique<GnomePasteboard>(*shell, clock, background);
    pasteboard->changed.connect([this](ChangeCount count) {
      seen.push_back({count, pasteboard->text().value_or("")});
    });
  }
  void TearDown() override {
    pasteboard.reset();
    ShellTest::TearDown();
  }
  bool counted(ChangeCount count) {
    return waitUntil([&] { return !seen.empty() && seen.back().first == count; });
  }

  std::unique_ptr<GnomePasteboard> pasteboard;
  std::vector<std::pair<ChangeCount, std::string>> seen;
};

TEST_F(GnomePasteboardTest, OwnWritesAreCountedOnceAndOfferTheTextOrElseTheFirstForm) {
  EXPECT_EQ(pasteboard->writeText("mine", true), 1);
  EXPECT_EQ(awaitCalls("WriteClipboard", 1)[0], (QVariantList{utf8Text, QByteArray("mine"), true}));
  // The extension's notice of that write came before this copy's and counts nothing.
  extension.copy({{utf8Text, "theirs"}});
  ASSERT_TRUE(waitUntil([&] { return pasteboard->text() == "theirs"; }));
  EXPECT_EQ(pasteboard->changeCount(), 2);

  pasteboard->writeRepresentations({{"text/uri-list", "file:///a"}, {utf8Text.toStdString(), "/a"}},
                                   false);
  pasteboard->writeRepresentations({{"text/uri-list", "file:///b"}, {"text/html", "<b>"}}, false);
  const auto writes = awaitCalls("WriteClipboard", 3);
  EXPECT_EQ(writes[1].mid(0, 2), (QVariantList{utf8Text, QByteArray("/a")}));
  EXPECT_EQ(writes[2].mid(0, 2),
            (QVariantList{QStringLiteral("text/uri-list"), QByteArray("file:///b")}));
  EXPECT_EQ(pasteboard->changeCount(), 4);
  EXPECT_EQ(pasteboard->writePNG(Bytes{1, 2, 3}, false), std::nullopt);
}

TEST_F(GnomePasteboardTest, SecretsAndKeptNothingOwnersHaveNoTextRead) {
  extension.copy({{utf8Text, "hunter2"}, {"x-kde-passwordManagerHint", "secret"}});
  ASSERT_TRUE(counted(1));
  EXPECT_EQ(pasteboard->types().back(), concealedContentType);
  pasteboard->setActiveApplication([] { return PasteboardOwner{"org.keepassxc.KeePassXC", ""}; });
  pasteboard->keepsNothingOf = [](const PasteboardOwner& owner) {
    return !owner.desktopName.empty();
  };
  extension.copy({{utf8Text, "hunter3"}});
  ASSERT_TRUE(counted(2));
  for (const QVariantList& read : extension.callsOf(QStringLiteral("ReadClipboard")))
    EXPECT_NE(read.value(0).toString(), utf8Text);
}

TEST_F(GnomePasteboardTest, ALateAnswerForAnOvertakenChangeIsDropped) {
  extension.holdReads();
  extension.copy({{utf8Text, "first"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 1; }));
  extension.copy({{utf8Text, "second"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 2; }));
  extension.releaseRead(1);
  ASSERT_TRUE(counted(2));
  // The first owner answers now; a third copy comes after that answer on the bus.
  extension.releaseRead(0);
  extension.copy({{utf8Text, "third"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 3; }));
  extension.releaseRead(2);
  ASSERT_TRUE(counted(3));
  for (const auto& [count, text] : seen)
    EXPECT_NE(text, "first") << "count " << count;
}

TEST_F(GnomePasteboardTest, ContentBeyondItsBoundIsLeftOutButStillCounted) {
  const QByteArray largeHtml(qsizetype(keptFormatBound("text/html") + 1), 'x');
  extension.copy({{utf8Text, "cells"}, {"text/html", largeHtml}, {"text/uri-list", "file:///a"}});
  ASSERT_TRUE(counted(1));
  EXPECT_EQ(pasteboard->text(), "cells");
  EXPECT_EQ(pasteboard->formats(),
            (std::vector<PasteboardRepresentation>{{"text/uri-list", "file:///a"}}));
  // A text the Shell cannot hand over leaves the change with its types and no text.
  extension.refuse(QStringLiteral("ReadClipboard"));
  extension.copy({{utf8Text, "gone"}});
  ASSERT_TRUE(counted(2));
  EXPECT_EQ(pasteboard->types(), std::vector<std::string>{utf8Text.toStdString()});
  EXPECT_EQ(pasteboard->text(), std::nullopt);
}

}  // namespace
}  // namespace dovrik::gnome::test
