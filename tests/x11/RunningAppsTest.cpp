// Applications derived from real client windows: identity from .desktop entries or WM_CLASS,
// process ids real or synthetic, policies, order, localized names and the frontmost application.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "DesktopTest.h"

namespace dovrik::x11test {
namespace {

class RunningAppsTest : public DesktopTest {
 protected:
  static void SetUpTestSuite() {
    DesktopTest::SetUpTestSuite();
    const std::filesystem::path apps = std::filesystem::path(server->tempDir()) / "applications";
    std::filesystem::create_directories(apps / "sub");
    std::ofstream(apps / "org.example.Editor.desktop")
        << "[Desktop Entry]\nType=Application\nName=Editor\nName[de]=Bearbeiter\n"
           "StartupWMClass=edit-main\n";
    std::ofstream(apps / "viewer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Picture Viewer\n";
    std::ofstream(apps / "sub" / "tool.desktop")
        << "[Desktop Entry]\nType=Application\nName=Tool\n";
  }
};

TEST_F(RunningAppsTest, ApplicationsComeFromClientWindowsInFirstAppearanceOrder) {
  client->createWindow({.instance = "edit-main", .className = "Edit", .pid = 7001});
  const xcb_window_t viewer =
      client->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  const xcb_window_t term =
      client->createWindow({.instance = "xterm", .className = "XTerm", .pid = 7002});
  client->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  client->createWindow({.rect = {0, 0, 100, 20},
                        .instance = "panel",
                        .className = "Panel",
                        .pid = 7003,
                        .type = "_NET_WM_WINDOW_TYPE_DOCK"});
  client->createWindow({.instance = "sub-tool", .className = "Tool", .pid = 7004});
  client->createWindow({.instance = "dovrik", .className = "Dovrik", .pid = adapterPid});

  // Names follow the user's language where the entry has one. LC_ALL outranks LC_MESSAGES and
  // LANG, so setting it holds whatever locale the test runs under.
  const char* previous = std::getenv("LC_ALL");
  const std::string saved = previous ? previous : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const auto apps = x().runningApps.runningApplications();
  previous ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");

  ASSERT_EQ(apps.size(), 6u);
  EXPECT_EQ(apps[0].pid, 7001);
  EXPECT_EQ(apps[0].bundleIdentifier, "org.example.Editor");  // by StartupWMClass
  EXPECT_EQ(apps[0].localizedName, "Bearbeiter");
  EXPECT_EQ(apps[1].bundleIdentifier, "viewer");  // by ID, ignoring case
  EXPECT_EQ(apps[1].localizedName, "Picture Viewer");
  EXPECT_GE(apps[1].pid, x11::AppDirectory::firstSyntheticPid);
  EXPECT_EQ(apps[2].bundleIdentifier, "XTerm");  // no entry: the class itself
  EXPECT_EQ(apps[2].localizedName, "XTerm");
  EXPECT_EQ(apps[3].pid, 7003);
  EXPECT_EQ(apps[3].activationPolicy, ActivationPolicy::Accessory);  // only a dock
  EXPECT_EQ(apps[4].bundleIdentifier, "sub-tool");
  EXPECT_EQ(apps[5].pid, x().runningApps.currentProcessId());
  for (const std::size_t regular : {0u, 1u, 2u, 4u, 5u})
    EXPECT_EQ(apps[regular].activationPolicy, ActivationPolicy::Regular);

  // The synthetic number holds for both windows and across listings.
  const AXElement viewerApp = x().accessibility.applicationElement(apps[1].pid);
  EXPECT_EQ(std::get<std::vector<AXElement>>(
                *x().accessibility.copyAttribute(viewerApp, AXAttribute::Windows))
                .size(),
            2u);
  EXPECT_EQ(x().runningApps.runningApplications()[1].pid, apps[1].pid);

  ASSERT_TRUE(client->activate(term));
  EXPECT_EQ(x().runningApps.frontmostApplication()->pid, 7002);
  ASSERT_TRUE(client->activate(viewer));
  EXPECT_EQ(x().runningApps.frontmostApplication()->pid, apps[1].pid);
}

// A launch is the first window of a process not seen before, even while other processes of the
// application have windows; a window without a process id counts only when its identity had
// none.
TEST_F(RunningAppsTest, EveryNewProcessIsALaunchAndAWindowWithoutAPidOnlyTheFirst) {
  std::vector<std::pair<std::string, ProcessId>> launched;
  x().runningApps.didLaunch.connect(
      [&](const RunningApp& app) { launched.emplace_back(app.bundleIdentifier, app.pid); });
  const auto settle = [&](std::size_t count) {
    return pumpUntil([&] { return launched.size() >= count; });
  };
  client->createWindow({.instance = "xterm", .className = "XTerm", .pid = 7101});
  ASSERT_TRUE(settle(1));
  client->createWindow({.instance = "xterm", .className = "XTerm", .pid = 7101});
  client->createWindow({.instance = "xterm", .className = "XTerm", .pid = 7102});
  ASSERT_TRUE(settle(2));
  client->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  ASSERT_TRUE(settle(3));
  client->createWindow({.instance = "viewer-bin", .className = "Viewer"});
  // A last launch shows that every window before it has been looked at.
  client->createWindow({.instance = "sub-tool", .className = "Tool", .pid = 7103});
  ASSERT_TRUE(settle(4));
  EXPECT_EQ(
      launched,
      (std::vector<std::pair<std::string, ProcessId>>{
          {"XTerm", 7101}, {"XTerm", 7102}, {"viewer", launched[2].second}, {"sub-tool", 7103}}));
}

}  // namespace
}  // namespace dovrik::x11test
