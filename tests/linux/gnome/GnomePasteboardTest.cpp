// The GNOME clipboard against a stand-in extension: Dovrik's own writes counted once, secrets
// never read, changes overtaken while their text is read dropped, content beyond its bounds
// left out, and the one form GNOME's memory source can hold.
#include "ShellFixture.h"
#include "core/platform/KeptFormats.h"
#include "linux/gnome/GnomePasteboard.h"

namespace dovrik::gnome::test {
namespace {

const QString textType = QStringLiteral("text/plain;charset=utf-8");

bool holds(const std::vector<std::string>& types, std::string_view type) {
  return std::ranges::find(types, type) != types.end();
}

class GnomePasteboardTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    pasteboard = std::make_unique<GnomePasteboard>(*shell, clock, background);
    pasteboard->changed.connect([this](ChangeCount count) {
      seen.push_back({count, pasteboard->text().value_or("")});
    });
  }
  void TearDown() override {
    pasteboard.reset();
    ShellFixture::TearDown();
  }
  bool counted(ChangeCount count) {
    return waitUntil([&] { return !seen.empty() && seen.back().first == count; });
  }

  std::unique_ptr<GnomePasteboard> pasteboard;
  std::vector<std::pair<ChangeCount, std::string>> seen;
};

TEST_F(GnomePasteboardTest, OwnWritesAreCountedOnceAndAnotherCopyAfterThem) {
  EXPECT_EQ(pasteboard->writeText("mine", true), 1);
  EXPECT_EQ(pasteboard->text(), "mine");
  ASSERT_TRUE(waitUntil([&] { return callCount("WriteClipboard") == 1; }));
  const ExtensionCall write = extension.callsOf(QStringLiteral("WriteClipboard")).front();
  EXPECT_EQ(write.args, (QVariantList{textType, QByteArray("mine"), true}));
  // The extension's notice of that write comes before the next copy's and counts nothing.
  extension.copy({{textType, "theirs"}});
  ASSERT_TRUE(waitUntil([&] { return pasteboard->text() == "theirs"; }));
  EXPECT_EQ(pasteboard->changeCount(), 2);
}

TEST_F(GnomePasteboardTest, WritesOfSeveralFormsOfferTheTextOrElseTheFirst) {
  struct Row {
    const char* name;
    std::vector<PasteboardRepresentation> forms;
    QString type;
    QByteArray bytes;
  };
  const std::vector<Row> rows = {
      {"text among others",
       {{"text/uri-list", "file:///a"}, {"text/plain;charset=utf-8", "/a"}},
       textType,
       "/a"},
      {"no text",
       {{"text/uri-list", "file:///a"}, {"text/html", "<a>"}},
       QStringLiteral("text/uri-list"),
       "file:///a"},
  };
  for (const Row& row : rows) {
    const ChangeCount count = pasteboard->writeRepresentations(row.forms, false);
    EXPECT_EQ(pasteboard->changeCount(), count) << row.name;
    ASSERT_TRUE(waitUntil([&] { return callCount("WriteClipboard") == std::size_t(count); }));
    const ExtensionCall write = extension.callsOf(QStringLiteral("WriteClipboard")).back();
    EXPECT_EQ(write.args.value(0).toString(), row.type) << row.name;
    EXPECT_EQ(write.args.value(1).toByteArray(), row.bytes) << row.name;
  }
  EXPECT_EQ(pasteboard->writePNG(Bytes{1, 2, 3}, false), std::nullopt);
}

TEST_F(GnomePasteboardTest, SecretsAndKeptNothingOwnersHaveNoTextRead) {
  extension.copy({{textType, "hunter2"}, {"x-kde-passwordManagerHint", "secret"}});
  ASSERT_TRUE(counted(1));
  EXPECT_TRUE(holds(pasteboard->types(), concealedContentType));
  EXPECT_EQ(pasteboard->text(), std::nullopt);

  pasteboard->setActiveApplication([] { return PasteboardOwner{"org.keepassxc.KeePassXC", ""}; });
  pasteboard->keepsNothingOf = [](const PasteboardOwner& owner) {
    return owner.desktopName == "org.keepassxc.KeePassXC";
  };
  extension.copy({{textType, "hunter3"}});
  ASSERT_TRUE(counted(2));
  EXPECT_EQ(pasteboard->owner().desktopName, "org.keepassxc.KeePassXC");
  for (const ExtensionCall& read : extension.callsOf(QStringLiteral("ReadClipboard")))
    EXPECT_NE(read.args.value(0).toString(), textType);
}

TEST_F(GnomePasteboardTest, AChangeOvertakenWhileItsTextIsReadIsDropped) {
  extension.holdReads();
  extension.copy({{textType, "first"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 1; }));
  extension.copy({{textType, "second"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 2; }));
  extension.releaseRead(1);
  ASSERT_TRUE(counted(2));
  // The first owner answers late; a third copy comes after that answer on the bus.
  extension.releaseRead(0);
  extension.copy({{textType, "third"}});
  ASSERT_TRUE(waitUntil([&] { return extension.heldReads() == 3; }));
  extension.releaseRead(2);
  ASSERT_TRUE(counted(3));
  for (const auto& [count, text] : seen)
    EXPECT_NE(text, "first") << "count " << count;
}

TEST_F(GnomePasteboardTest, ContentBeyondItsBoundIsLeftOutButStillCounted) {
  const QByteArray largeHtml(qsizetype(keptFormatBound("text/html") + 1), 'x');
  extension.copy({{textType, "cells"}, {"text/html", largeHtml}, {"text/uri-list", "file:///a"}});
  ASSERT_TRUE(counted(1));
  EXPECT_EQ(pasteboard->text(), "cells");
  EXPECT_EQ(pasteboard->formats(),
            (std::vector<PasteboardRepresentation>{{"text/uri-list", "file:///a"}}));

  // A text the Shell cannot hand over leaves the change with its types and no text.
  extension.refuse(QStringLiteral("ReadClipboard"));
  extension.copy({{textType, "gone"}});
  ASSERT_TRUE(counted(2));
  EXPECT_TRUE(holds(pasteboard->types(), "text/plain;charset=utf-8"));
  EXPECT_EQ(pasteboard->text(), std::nullopt);
}

}  // namespace
}  // namespace dovrik::gnome::test
