// Parsing and matching .desktop entries, on files the test writes.
#include "linux/files/DesktopEntries.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "linux/desktop/DesktopApplications.h"

namespace dovrik::x11test {
namespace {

using files::DesktopEntries;
using files::WindowOrigin;
namespace fs = std::filesystem;

// Desktop files in data directories of the test's own, removed afterwards.
class DesktopEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("dovrik-desktop-entries-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Writes `body` under `<root>/<dataDir>/applications/<file>`.
  void write(const std::string& dataDir, const std::string& file, const std::string& body) {
    const fs::path path = root_ / dataDir / "applications" / file;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << body;
  }
  std::string dir(const std::string& dataDir) const { return (root_ / dataDir).string(); }

  fs::path root_;
};

const std::string application = "[Desktop Entry]\nType=Application\n";

TEST_F(DesktopEntriesTest, ParseReadsTheMainGroupOfShownApplications) {
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

TEST_F(DesktopEntriesTest, MatchPrefersStartupWmClassAndEarlierDirectories) {
  write("home", "editor.desktop", application + "Name=Mine\n");
  write("home", "gone.desktop", application + "Name=Gone\nHidden=true\n");
  write("system", "editor.desktop", application + "Name=System\n");
  write("system", "gone.desktop", application + "Name=Still here\n");
  write("system", "kde/konsole.desktop", application + "Name=Konsole\n");
  write("system", "wrapper.desktop", application + "Name=Wrapper\nStartupWMClass=Editor\n");

  DesktopEntries entries({dir("home"), dir("system")});
  // StartupWMClass outranks an ID that merely equals the class.
  EXPECT_EQ(entries.match({"editor", "Editor", ""})->id, "wrapper");
  EXPECT_EQ(entries.match({"EDITOR", "Other", ""})->name, "Mine");
  EXPECT_EQ(entries.match({"kde-konsole", "Konsole", ""})->id, "kde-konsole");
  // A user's hidden entry removes the system one of the same ID.
  EXPECT_FALSE(entries.match({"gone", "Gone", ""}));
  EXPECT_FALSE(entries.match({"", "", ""}));
}

TEST_F(DesktopEntriesTest, ExecNamesTheProgramPastEnvAndQuotes) {
  EXPECT_EQ(DesktopEntries::programOf("xterm"), "xterm");
  EXPECT_EQ(DesktopEntries::programOf("/usr/bin/xfce4-terminal --disable-server %U"),
            "xfce4-terminal");
  EXPECT_EQ(DesktopEntries::programOf("env LANG=C \"/opt/My App/bin/my-app\" %F"), "my-app");
  EXPECT_EQ(DesktopEntries::programOf("/usr/bin/env -i A=1 B=\"2 3\" tool"), "tool");
  EXPECT_EQ(DesktopEntries::programOf("\"/opt/a \\\"b\\\"/run\""), "run");
  EXPECT_EQ(DesktopEntries::programOf("  "), "");

  const auto xterm = DesktopEntries::parse(
      "debian-xterm", application + "Name=XTerm\nExec=xterm\nCategories=System;TerminalEmulator;\n",
      "C");
  ASSERT_TRUE(xterm);
  EXPECT_EQ(xterm->program, "xterm");
  EXPECT_EQ(xterm->categories, (std::vector<std::string>{"System", "TerminalEmulator"}));
  EXPECT_FALSE(xterm->terminal);
  EXPECT_TRUE(
      DesktopEntries::parse("vim", application + "Name=Vim\nTerminal=true\n", "C")->terminal);
}

// Debian names xterm's entry debian-xterm; with or without its StartupWMClass, an xterm window
// is that entry, by class or by program.
TEST_F(DesktopEntriesTest, AWindowIsTheEntryOfItsClassElseOfItsProgramElseOfItsId) {
  const std::string xterm =
      application + "Name=XTerm\nExec=xterm\nCategories=System;TerminalEmulator;\n";
  write("debian", "debian-xterm.desktop", xterm + "StartupWMClass=XTerm\n");
  write("plain", "debian-xterm.desktop", xterm);
  const WindowOrigin xtermWindow{"xterm", "XTerm", "xterm"};
  EXPECT_EQ(DesktopEntries({dir("debian")}).match(xtermWindow)->id, "debian-xterm");
  DesktopEntries plain({dir("plain")});
  EXPECT_EQ(plain.match(xtermWindow)->id, "debian-xterm");
  EXPECT_EQ(plain.match({"xterm", "XTerm", ""})->categories.back(), "TerminalEmulator");
  EXPECT_EQ(plain.match({"login-shell", "Shell", "xterm"})->id, "debian-xterm");
  EXPECT_FALSE(plain.match({"term", "Term", "xterm-helper"}));

  // xfce4-terminal's settings entry starts the same program and sorts first; the window is the
  // terminal's, whose ID names it. Among others, an entry shown in menus outranks a hidden one.
  write("xfce", "xfce4-terminal-settings.desktop",
        application + "Name=Settings\nExec=xfce4-terminal --preferences\n");
  write("xfce", "xfce4-terminal.desktop",
        application + "Name=Xfce Terminal\nExec=xfce4-terminal\nCategories=TerminalEmulator;\n");
  write("xfce", "a-viewer-helper.desktop",
        application + "Name=Helper\nExec=viewer\nNoDisplay=true\n");
  write("xfce", "b-viewer.desktop", application + "Name=Viewer\nExec=viewer %F\n");
  write("xfce", "launcher.desktop",
        application + "Name=Launcher\nExec=start-it\nTryExec=/usr/lib/real-tool\n");
  write("xfce", "org.gnome.gedit.desktop", application + "Name=Text Editor\nExec=/opt/ge/bin/ge\n");
  // Interpreters and terminal programs name no application of their own.
  write("xfce", "python3.11.desktop", application + "Name=Python\nExec=/usr/bin/python3.11\n");
  write("xfce", "script.desktop", application + "Name=Script\nExec=sh -c 'run me'\n");
  write("xfce", "vim.desktop", application + "Name=Vim\nExec=vim %F\nTerminal=true\n");
  DesktopEntries xfce({dir("xfce")});
  EXPECT_EQ(xfce.match({"xfce4-terminal", "Xfce4-terminal", "xfce4-terminal"})->id,
            "xfce4-terminal");
  EXPECT_EQ(xfce.match({"viewer", "Viewer", "viewer"})->id, "b-viewer");
  EXPECT_EQ(xfce.match({"real-tool", "Tool", ""})->id, "launcher");
  EXPECT_EQ(xfce.match({"ge", "Gedit", ""})->id, "org.gnome.gedit");
  EXPECT_EQ(xfce.match({"nothing", "GEDIT", "other"})->id, "org.gnome.gedit");
  EXPECT_FALSE(xfce.match({"app", "App", "python3.11"}));
  EXPECT_FALSE(xfce.match({"app", "App", "sh"}));
  EXPECT_FALSE(xfce.match({"editor-window", "Editor-window", "vim"}));

  // The installed list offers the terminal under the identity its windows get.
  const auto installed = desktop::DesktopApplications({dir("xfce")}).scanInstalledApps();
  EXPECT_NE(std::find(installed.begin(), installed.end(),
                      AppInfo{Uuid(), "", "xfce4-terminal", std::nullopt}),
            installed.end());
}

TEST_F(DesktopEntriesTest, InstalledAppsAreTheShownEntriesOncePerIdInTheUsersLanguage) {
  const std::string& app = application;
  write("home", "editor.desktop", app + "Name=Editor\n");
  write("home", "gone.desktop", app + "Name=Gone\nHidden=true\n");
  write("system", "editor.desktop", app + "Name=System Editor\n");
  write("system", "gone.desktop", app + "Name=Gone\n");
  write("system", "kde/konsole.desktop", app + "Name=alpha\nIcon=utilities-terminal\n");
  write("system", "files.desktop", app + "Name=Files\nName[de]=Dateien\n");
  write("system", "shell.desktop", app + "Name=Beta\nTryExec=sh\n");
  write("system", "missing.desktop", app + "Name=Missing\nTryExec=/nonexistent/dovrik-missing\n");
  write("system", "settings.desktop", app + "Name=Settings\nNoDisplay=true\n");
  write("system", "nameless.desktop", app);
  // Binary bytes and no group header: nothing in it belongs to an entry.
  const char broken[] = "\xff\0Type=Application\nName=Broken\n[Desktop Entry\n";
  write("system", "broken.desktop", std::string(broken, sizeof broken - 1));
  fs::create_directories(root_ / "system/applications/folder.desktop");

  const char* previous = std::getenv("LC_ALL");
  const std::string saved = previous ? previous : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const auto apps = desktop::DesktopApplications({dir("home"), dir("system")}).scanInstalledApps();
  previous ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");

  // The order is the user's locale's, which the core applies.
  std::map<std::string, AppInfo> listed;
  for (const AppInfo& info : apps)
    listed.emplace(info.bundleIdentifier, info);
  std::vector<std::string> names;
  for (const auto& [id, info] : listed)
    names.push_back(info.name + "=" + id);
  EXPECT_EQ(names, (std::vector<std::string>{"Editor=editor", "Dateien=files", "alpha=kde-konsole",
                                             "Beta=shell"}));
  EXPECT_EQ(listed.at("kde-konsole").icon, "utilities-terminal");
  EXPECT_FALSE(listed.at("shell").icon);
}

}  // namespace
}  // namespace dovrik::x11test
