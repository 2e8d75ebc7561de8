// Applications derived from real client windows: identity from .desktop entries or WM_CLASS,
// process ids real or synthetic, policies, order and the frontmost application.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

constexpr ProcessId adapterPid = 1;

class RunningAppsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1280, 800);
    server_->startWindowManager(XServer::WmConfig::Test);
    const std::filesystem::path apps = std::filesystem::path(server_->tempDir()) / "applications";
    std::filesystem::create_directories(apps / "sub");
    std::ofstream(apps / "org.example.Editor.desktop")
        << "[Desktop Entry]\nType=Application\nName=Editor\nName[de]=Bearbeiter\n"
           "StartupWMClass=edit-main\n";
    std::ofstream(apps / "viewer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Picture Viewer\n";
    std::ofstream(apps / "sub" / "tool.desktop")
        << "[Desktop Entry]\nType=Application\nName=Tool\n";
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    client_ = std::make_unique<TestClient>(server_->display());
    x_ = std::make_unique<x11::X11Adapters>(server_->display().c_str(), adapterPid,
                                            std::vector<std::string>{server_->tempDir()});
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::X11Adapters> x_;
};

XServer* RunningAppsTest::server_ = nullptr;

TEST_F(RunningAppsTest, ApplicationsComeFromClientWindowsInFirstAppearanceOrder) {
  client_->createWindow({.instance = "edit-main", .className = "Edit", .pid = 7001});
  const xcb_window_t viewer =
      client_->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  const xcb_window_t term =
      client_->createWindow({.instance = "xterm", .className = "XTerm", .pid = 7002});
  client_->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  client_->createWindow({.rect = {0, 0, 100, 20},
                         .instance = "panel",
                         .className = "Panel",
                         .pid = 7003,
                         .type = "_NET_WM_WINDOW_TYPE_DOCK"});
  client_->createWindow({.instance = "sub-tool", .className = "Tool", .pid = 7004});
  client_->createWindow({.instance = "dovrik", .className = "Dovrik", .pid = adapterPid});

  const auto apps = x_->runningApps.runningApplications();
  ASSERT_EQ(apps.size(), 6u);
  EXPECT_EQ(apps[0].pid, 7001);
  EXPECT_EQ(apps[0].bundleIdentifier, "org.example.Editor");  // by StartupWMClass
  EXPECT_EQ(apps[1].bundleIdentifier, "viewer");              // by ID, ignoring case
  EXPECT_EQ(apps[1].localizedName, "Picture Viewer");
  EXPECT_GE(apps[1].pid, x11::AppDirectory::firstSyntheticPid);
  EXPECT_EQ(apps[2].bundleIdentifier, "XTerm");  // no entry: the class itself
  EXPECT_EQ(apps[2].localizedName, "XTerm");
  EXPECT_EQ(apps[3].pid, 7003);
  EXPECT_EQ(apps[3].activationPolicy, ActivationPolicy::Accessory);  // only a dock
  EXPECT_EQ(apps[4].bundleIdentifier, "sub-tool");
  EXPECT_EQ(apps[5].pid, x_->runningApps.currentProcessId());
  for (const std::size_t regular : {0u, 1u, 2u, 4u, 5u})
    EXPECT_EQ(apps[regular].activationPolicy, ActivationPolicy::Regular);

  // The synthetic number holds for both windows and across listings.
  const AXElement viewerApp = x_->accessibility.applicationElement(apps[1].pid);
  EXPECT_EQ(std::get<std::vector<AXElement>>(
                *x_->accessibility.copyAttribute(viewerApp, AXAttribute::Windows))
                .size(),
            2u);
  EXPECT_EQ(x_->runningApps.runningApplications()[1].pid, apps[1].pid);

  client_->activate(term);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{term};
  }));
  EXPECT_EQ(x_->runningApps.frontmostApplication()->pid, 7002);
  client_->activate(viewer);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{viewer};
  }));
  EXPECT_EQ(x_->runningApps.frontmostApplication()->pid, apps[1].pid);
}

TEST_F(RunningAppsTest, NamesFollowTheUsersLanguage) {
  const char* previous = std::getenv("LANG");
  const std::string saved = previous ? previous : "";
  setenv("LANG", "de_DE.UTF-8", 1);
  client_->createWindow({.instance = "edit-main", .className = "Edit", .pid = 7101});
  const auto apps = x_->runningApps.runningApplications();
  if (previous)
    setenv("LANG", saved.c_str(), 1);
  else
    unsetenv("LANG");
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(apps[0].localizedName, "Bearbeiter");
}

}  // namespace
}  // namespace dovrik::x11test
