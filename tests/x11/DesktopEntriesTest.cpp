// Parsing and matching .desktop entries, on files the test writes.
#include "linux/x11/DesktopEntries.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "linux/x11/DesktopApplications.h"

namespace dovrik::x11test {
namespace {

using x11::DesktopEntries;

TEST(DesktopEntriesTest, ParseReadsTheMainGroupOfShownApplications) {
  const std::string text =
      "# comment\n[Desktop Entry]\nType=Application\nName = Files \nName[de]=Dateien\n"
      "Name[de_AT]=Dateien (AT)\nStartupWMClass=nautilus\n[Desktop Action new]\nName=New\n";
  const auto plain = DesktopEntries::parse("org.gnome.Nautilus", text, "C");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->name, "Files");
  EXPECT_EQ(plain->startupWmClass, "nautilus");
  EXPECT_EQ(DesktopEntries::parse("x", text, "de_DE.UTF-8")->name, "Dateien");
  EXPECT_EQ(DesktopEntries::parse("x", text, "de_AT.UTF-8@euro")->name, "Dateien (AT)");

  EXPECT_FALSE(DesktopEntries::parse("x", "[Desktop Entry]\nType=Link\nName=L\n", "C"));
  EXPECT_FALSE(
      DesktopEntries::parse("x", "[Desktop Entry]\nType=Application\nName=A\nHidden=true\n", "C"));
  EXPECT_FALSE(DesktopEntries::parse("x", "[Other]\nType=Application\nName=A\n", "C"));
}

TEST(DesktopEntriesTest, MatchPrefersStartupWmClassAndEarlierDirectories) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "dovrik-desktop-entries-test";
  fs::remove_all(root);
  const auto write = [&](const fs::path& file, const std::string& body) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "[Desktop Entry]\nType=Application\n" << body;
  };
  write(root / "home/applications/editor.desktop", "Name=Mine\n");
  write(root / "home/applications/gone.desktop", "Name=Gone\nHidden=true\n");
  write(root / "system/applications/editor.desktop", "Name=System\n");
  write(root / "system/applications/gone.desktop", "Name=Still here\n");
  write(root / "system/applications/kde/konsole.desktop", "Name=Konsole\n");
  write(root / "system/applications/wrapper.desktop", "Name=Wrapper\nStartupWMClass=Editor\n");

  DesktopEntries entries({(root / "home").string(), (root / "system").string()});
  // StartupWMClass outranks an ID that merely equals the class.
  EXPECT_EQ(entries.match("editor", "Editor")->id, "wrapper");
  EXPECT_EQ(entries.match("EDITOR", "Other")->name, "Mine");
  EXPECT_EQ(entries.match("kde-konsole", "Konsole")->id, "kde-konsole");
  // A user's hidden entry removes the system one of the same ID.
  EXPECT_FALSE(entries.match("gone", "Gone"));
  EXPECT_FALSE(entries.match("", ""));
  fs::remove_all(root);
}

TEST(DesktopEntriesTest, InstalledAppsAreTheShownEntriesOncePerIdSortedByNameIgnoringCase) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "dovrik-installed-apps-test";
  fs::remove_all(root);
  const auto write = [&](const fs::path& file, const std::string& body) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << body;
  };
  const std::string app = "[Desktop Entry]\nType=Application\n";
  write(root / "home/applications/editor.desktop", app + "Name=Editor\n");
  write(root / "home/applications/gone.desktop", app + "Name=Gone\nHidden=true\n");
  write(root / "system/applications/editor.desktop", app + "Name=System Editor\n");
  write(root / "system/applications/gone.desktop", app + "Name=Gone\n");
  write(root / "system/applications/kde/konsole.desktop",
        app + "Name=alpha\nIcon=utilities-terminal\n");
  write(root / "system/applications/files.desktop", app + "Name=Files\nName[de]=Dateien\n");
  write(root / "system/applications/shell.desktop", app + "Name=Beta\nTryExec=sh\n");
  write(root / "system/applications/missing.desktop",
        app + "Name=Missing\nTryExec=/nonexistent/dovrik-missing\n");
  write(root / "system/applications/settings.desktop", app + "Name=Settings\nNoDisplay=true\n");
  write(root / "system/applications/nameless.desktop", app);
  // Binary bytes and no group header: nothing in it belongs to an entry.
  const char broken[] = "\xff\0Type=Application\nName=Broken\n[Desktop Entry\n";
  write(root / "system/applications/broken.desktop", std::string(broken, sizeof broken - 1));
  fs::create_directories(root / "system/applications/folder.desktop");

  const char* previous = std::getenv("LC_ALL");
  const std::string saved = previous ? previous : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const auto apps = x11::DesktopApplications({(root / "home").string(), (root / "system").string()})
                        .scanInstalledApps();
  previous ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");

  std::vector<std::string> listed;
  for (const AppInfo& info : apps)
    listed.push_back(info.name + "=" + info.bundleIdentifier);
  EXPECT_EQ(listed, (std::vector<std::string>{"alpha=kde-konsole", "Beta=shell", "Dateien=files",
                                              "Editor=editor"}));
  EXPECT_EQ(apps[0].icon, "utilities-terminal");
  EXPECT_FALSE(apps[1].icon);
  fs::remove_all(root);
}

}  // namespace
}  // namespace dovrik::x11test
