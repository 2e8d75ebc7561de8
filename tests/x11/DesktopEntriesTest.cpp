// Parsing and matching .desktop entries, on files the test writes.
#include "linux/x11/DesktopEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace dovrik::x11test
