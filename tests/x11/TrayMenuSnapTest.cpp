// The tray menu on a real desktop: choosing a snap item moves the active window, as the X
// server reports it, and the menu offers what the core's model says.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <memory>
#include <vector>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"
#include "ui/TrayIcon.h"

namespace dovrik::x11test {
namespace {

QAction* actionTitled(QMenu& menu, const QString& title) {
  for (QAction* action : menu.actions()) {
    if (action->text() == title)
      return action;
  }
  return nullptr;
}

class TrayMenuSnapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.startWindowManager(XServer::WmConfig::Test);
    client_ = std::make_unique<TestClient>(server_.display());
    desktop_ = std::make_unique<X11TestPlatform>(server_.display(), 1);
    app_ = std::make_unique<App>(desktop_->platform());
    app_->appState().setAnimationsEnabled(false);
    app_->start();
    tray_ = std::make_unique<ui::TrayIcon>(app_->menuBarController());

    window_ = client_->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
    client_->activate(window_);
    ASSERT_TRUE(client_->waitFor([&] {
      return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
             std::vector<std::uint32_t>{window_};
    }));
  }
  void TearDown() override {
    tray_.reset();
    app_.reset();
    desktop_.reset();
  }

  // Opens the menu as a click on the tray icon does, and chooses an item.
  void choose(const QString& title) {
    Q_EMIT tray_->menu().aboutToShow();
    QAction* action = actionTitled(tray_->menu(), title);
    ASSERT_TRUE(action) << title.toStdString();
    action->trigger();
  }

  bool landsOn(const Rect& target) {
    return desktop_->loop.runUntil([&] { return client_->outerFrame(window_) == target; });
  }

  XServer server_{1280, 800};
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<X11TestPlatform> desktop_;
  std::unique_ptr<App> app_;
  std::unique_ptr<ui::TrayIcon> tray_;
  xcb_window_t window_ = XCB_NONE;
};

TEST_F(TrayMenuSnapTest, SnapItemsMoveTheActiveWindow) {
  choose("Right Half");
  EXPECT_TRUE(landsOn({640, 0, 640, 800}));
  choose("Bottom Left");
  EXPECT_TRUE(landsOn({0, 400, 640, 400}));
}

// With a window manager that supports EWMH the menu has no warning and lists every position.
TEST_F(TrayMenuSnapTest, TrustedMenuListsTheSnapPositions) {
  Q_EMIT tray_->menu().aboutToShow();
  EXPECT_EQ(actionTitled(tray_->menu(), "⚠️  Accessibility Access Required"), nullptr);
  for (SnapPosition position : allSnapPositions)
    EXPECT_NE(actionTitled(tray_->menu(), QString::fromUtf8(rawValue(position).data())), nullptr);
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
