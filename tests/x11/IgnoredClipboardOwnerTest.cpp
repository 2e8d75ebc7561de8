// Copies from an ignored application over the real clipboard: the application owns CLIPBOARD
// with a hidden helper window, as toolkits do, and is known by the class of its shown window
// or of its client leader; its copy is not recorded, and a later copy from another
// application is.
#include <algorithm>

#include "ClipboardClient.h"
#include "DesktopTest.h"
#include "core/app/App.h"
#include "core/clipboard/IgnoredApps.h"

namespace dovrik::x11test {
namespace {

class IgnoredClipboardOwnerTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    app_ = std::make_unique<App>(desktop->platform());
    app_->appState().setClipboardHistoryEnabled(true);
    app_->start();
  }
  void TearDown() override {
    app_.reset();
    DesktopTest::TearDown();
  }

  ClipboardManager& history() { return app_->clipboardManager(); }
  // Copies in `client` and waits until Dovrik has looked at the change.
  bool copy(ClipboardClient& client, const std::string& text) {
    const ChangeCount before = desktop->pasteboard.changeCount();
    client.own({{"UTF8_STRING", text}});
    return pumpUntil([&] {
      client.service();
      return desktop->pasteboard.changeCount() > before &&
             history().lastChangeCount() == desktop->pasteboard.changeCount();
    });
  }
  bool managed(xcb_window_t window) {
    return pumpUntil([&] { return std::ranges::count(x().clients.clientList(), window) == 1; });
  }

  std::unique_ptr<App> app_;
};

TEST_F(IgnoredClipboardOwnerTest, AnIgnoredAppsCopyIsNotListedAndTheNextAppsIs) {
  ASSERT_TRUE(addIgnoredApp(app_->appState(), "vaultkeeper"));
  ClipboardClient vault(server->display());
  ASSERT_TRUE(managed(vault.showWindow("vaultkeeper", "VaultKeeper")));
  ClipboardClient editor(server->display());
  ASSERT_TRUE(managed(editor.showWindow("notepad", "Notepad")));

  ASSERT_TRUE(copy(vault, "correct horse battery staple"));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "VaultKeeper");
  EXPECT_EQ(desktop->pasteboard.text(), std::nullopt);
  EXPECT_TRUE(history().items().empty());

  ASSERT_TRUE(copy(editor, "meeting notes"));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "Notepad");
  ASSERT_EQ(history().items().size(), 1u);
  EXPECT_EQ(history().items()[0].text, "meeting notes");

  // Removed from the list, the same application's next copy is recorded.
  ASSERT_TRUE(removeIgnoredApp(app_->appState(), "VAULTKEEPER"));
  ASSERT_TRUE(copy(vault, "a shopping list"));
  ASSERT_EQ(history().items().size(), 2u);
  EXPECT_EQ(history().items()[0].text, "a shopping list");
}

TEST_F(IgnoredClipboardOwnerTest, AnOwnerWithNoWindowShownIsKnownByItsClientLeader) {
  ASSERT_TRUE(addIgnoredApp(app_->appState(), "VaultKeeper"));
  ClipboardClient vault(server->display());
  vault.leadWith("vaultkeeper", "VaultKeeper");
  ASSERT_TRUE(copy(vault, "correct horse battery staple"));
  EXPECT_EQ(desktop->pasteboard.owner().windowClass, "VaultKeeper");
  EXPECT_TRUE(history().items().empty());
}

}  // namespace
}  // namespace dovrik::x11test
