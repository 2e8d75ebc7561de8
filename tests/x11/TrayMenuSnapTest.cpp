// The tray menu on a real desktop: choosing a snap item moves the active window, as the X
// server reports it.
#include <QAction>
#include <QApplication>

#include "DesktopTest.h"
#include "core/app/App.h"
#include "ui/TrayIcon.h"

namespace dovrik::x11test {
namespace {

class TrayMenuSnapTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    app_ = std::make_unique<App>(desktop->platform());
    app_->appState().setAnimationsEnabled(false);
    app_->start();
    tray_ = std::make_unique<ui::TrayIcon>(app_->menuBarController(), ColorScheme::light);
    window_ = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
    ASSERT_TRUE(client->activate(window_));
  }
  void TearDown() override {
    tray_.reset();
    app_.reset();
    DesktopTest::TearDown();
  }

  // Opens the menu as a click on the tray icon does, and finds an item.
  QAction* item(const std::string& title) {
    Q_EMIT tray_->menu().aboutToShow();
    for (QAction* action : tray_->menu().actions()) {
      if (action->text() == QString::fromStdString(title))
        return action;
    }
    return nullptr;
  }

  std::unique_ptr<App> app_;
  std::unique_ptr<ui::TrayIcon> tray_;
  xcb_window_t window_ = XCB_NONE;
};

TEST_F(TrayMenuSnapTest, SnapItemsMoveTheActiveWindow) {
  ASSERT_TRUE(item("Right Half"));
  item("Right Half")->trigger();
  const Rect usable = client->usablePartOf({0, 0, 1920, 1080});
  EXPECT_TRUE(landsOn(window_, shareOf(usable, {0.5, 0, 0.5, 1})));
  ASSERT_TRUE(item("Bottom Left"));
  item("Bottom Left")->trigger();
  EXPECT_TRUE(landsOn(window_, shareOf(usable, {0, 0.5, 0.5, 0.5})));
}

}  // namespace
}  // namespace dovrik::x11test

// Menus need a QApplication; the views draw offscreen while the adapters talk to the test's
// own X server.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
