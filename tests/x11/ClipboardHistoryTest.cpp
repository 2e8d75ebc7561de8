// The clipboard history over the real clipboard: what another application copies is recorded
// (trimmed, links known as links), what a password manager marks secret and what is copied
// while the history is off are not, and Dovrik's own copy is not recorded again but can be
// pasted by another application. An ignored application owns CLIPBOARD with a hidden helper
// window, as toolkits do, and is known by the class of its shown window or of its client leader.
#include <algorithm>

#include "ClipboardClient.h"
#include "DesktopTest.h"
#include "core/app/App.h"
#include "core/clipboard/IgnoredApps.h"
#include "core/platform/KeptFormats.h"

namespace dovrik::x11test {
namespace {

class ClipboardHistoryTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    app_ = std::make_unique<App>(desktop->platform());
    app_->appState().setClipboardHistoryEnabled(true);
    app_->start();
    other_ = std::make_unique<ClipboardClient>(server->display());
  }
  void TearDown() override {
    other_.reset();
    app_.reset();
    DesktopTest::TearDown();
  }

  ClipboardManager& history() { return app_->clipboardManager(); }
  // Lets the other application and Dovrik run until `condition`.
  bool runUntil(const std::function<bool()>& condition) {
    return pumpUntil([&] {
      other_->service();
      return condition();
    });
  }
  // Copies in `client` and waits until Dovrik has looked at the change.
  bool copy(ClipboardClient& client, std::map<std::string, std::string> offers) {
    const ChangeCount before = desktop->pasteboard.changeCount();
    client.own(std::move(offers));
    return runUntil([&] {
      client.service();
      return desktop->pasteboard.changeCount() > before &&
             history().lastChangeCount() == desktop->pasteboard.changeCount();
    });
  }
  bool copy(std::map<std::string, std::string> offers) { return copy(*other_, std::move(offers)); }
  bool managed(xcb_window_t window) {
    return pumpUntil([&] { return std::ranges::count(x().clients.clientList(), window) == 1; });
  }

  std::unique_ptr<App> app_;
  std::unique_ptr<ClipboardClient> other_;
};

TEST_F(ClipboardHistoryTest, CopiesAreRecordedExceptSecretsAndWhileOff) {
  ASSERT_TRUE(copy({{"UTF8_STRING", "  first line\nsecond line \n"}}));
  ASSERT_EQ(history().items().size(), 1u);
  EXPECT_EQ(history().items()[0].text, "first line\nsecond line");
  EXPECT_EQ(history().items()[0].kind, ClipboardKind::text);

  ASSERT_TRUE(copy({{"UTF8_STRING", "https://example.com/page"}}));
  ASSERT_EQ(history().items().size(), 2u);
  EXPECT_EQ(history().items()[0].kind, ClipboardKind::link);

  ASSERT_TRUE(copy({{"UTF8_STRING", "hunter2"}, {"x-kde-passwordManagerHint", "secret"}}));
  EXPECT_EQ(history().items().size(), 2u);

  app_->appState().setClipboardHistoryEnabled(false);
  history().applyEnabledState();
  const ChangeCount before = desktop->pasteboard.changeCount();
  other_->own({{"UTF8_STRING", "copied while off"}});
  ASSERT_TRUE(runUntil([&] { return desktop->pasteboard.changeCount() > before; }));
  EXPECT_EQ(history().items().size(), 2u);
}

TEST_F(ClipboardHistoryTest, DovriksOwnCopyIsPastableAndNotRecordedAgain) {
  ASSERT_TRUE(copy({{"UTF8_STRING", "older"}}));
  ASSERT_TRUE(copy({{"UTF8_STRING", "newer"}}));
  const ClipboardItem older = history().items()[1];
  history().copy(older);
  // The entry moves to the top instead of coming back as a new one.
  ASSERT_TRUE(runUntil([&] {
    return history().lastChangeCount() == desktop->pasteboard.changeCount() &&
           history().items()[0].id == older.id;
  }));
  EXPECT_EQ(history().items().size(), 2u);

  other_->paste("UTF8_STRING");
  ASSERT_TRUE(runUntil([&] { return other_->pasted.has_value(); }));
  EXPECT_EQ(*other_->pasted, "older");
}

// An editor's copy offers html and file addresses with the text: the history keeps the html,
// leaves out the addresses that run over their bound (sent in INCR chunks), and offers the html
// again when the entry is copied back, but not when it is copied back as plain text.
TEST_F(ClipboardHistoryTest, FormsKeptWithTheTextAreOfferedBackUnlessPlain) {
  const std::string html = "<p>rich <b>words</b></p>";
  const std::string addresses(keptFormatBound("text/uri-list") + 1, 'a');
  ASSERT_TRUE(
      copy({{"UTF8_STRING", "rich words"}, {"text/html", html}, {"text/uri-list", addresses}}));
  ASSERT_EQ(history().items().size(), 1u);
  const ClipboardItem item = history().items()[0];
  EXPECT_EQ(item.formats.forms(), (std::vector<PasteboardRepresentation>{{"text/html", html}}));

  const auto pasted = [&](const std::string& target) {
    return other_->pasteWaiting(target, [&](const auto& done) { return runUntil(done); });
  };
  history().copy(item);
  EXPECT_EQ(pasted("text/html"), html);
  EXPECT_EQ(pasted("UTF8_STRING"), "rich words");

  history().copy(item, PasteForm::plainText);
  EXPECT_EQ(pasted("text/html"), std::nullopt);
  EXPECT_EQ(pasted("UTF8_STRING"), "rich words");
  EXPECT_EQ(history().items().size(), 1u);
}

TEST_F(ClipboardHistoryTest, AnIgnoredAppsCopyIsNotListedAndTheNextAppsIs) {
  ASSERT_TRUE(addIgnoredApp(app_->appState(), "vaultkeeper"));
  ClipboardClient vault(server->display());
  ASSERT_TRUE(managed(vault.showWindow("vaultkeeper", "VaultKeeper")));
  ClipboardClient editor(server->display());
  ASSERT_TRUE(managed(editor.showWindow("notepad", "Notepad")));

  ASSERT_TRUE(copy(vault, {{"UTF8_STRING", "correct horse battery staple"}}));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "VaultKeeper");
  EXPECT_EQ(desktop->pasteboard.text(), std::nullopt);
  EXPECT_TRUE(history().items().empty());

  ASSERT_TRUE(copy(editor, {{"UTF8_STRING", "meeting notes"}}));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "Notepad");
  ASSERT_EQ(history().items().size(), 1u);
  EXPECT_EQ(history().items()[0].text, "meeting notes");

  // Removed from the list, the same application's next copy is recorded.
  ASSERT_TRUE(removeIgnoredApp(app_->appState(), "VAULTKEEPER"));
  ASSERT_TRUE(copy(vault, {{"UTF8_STRING", "a shopping list"}}));
  ASSERT_EQ(history().items().size(), 2u);
  EXPECT_EQ(history().items()[0].text, "a shopping list");
}

TEST_F(ClipboardHistoryTest, AnOwnerWithNoWindowShownIsKnownByItsClientLeader) {
  ASSERT_TRUE(addIgnoredApp(app_->appState(), "VaultKeeper"));
  ClipboardClient vault(server->display());
  vault.leadWith("vaultkeeper", "VaultKeeper");
  ASSERT_TRUE(copy(vault, {{"UTF8_STRING", "correct horse battery staple"}}));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "VaultKeeper");
  EXPECT_TRUE(history().items().empty());
}

}  // namespace
}  // namespace dovrik::x11test
