// The installed applications' .desktop entries, read once on first use, and the match of a
// window to one of them as desktop shells make it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dovrik::files {

struct DesktopEntry {
  std::string id;  // the desktop file ID without ".desktop", e.g. "org.gnome.Nautilus"
  std::string name;
  std::string startupWmClass;
  std::string icon;     // an icon theme name or a path
  std::string tryExec;  // the program that must be installed for the entry to be offered
  std::string program;  // the file name of the program Exec starts: "xterm"
  std::vector<std::string> categories;  // "System", "TerminalEmulator"
  bool terminal = false;                // runs inside a terminal emulator
  bool noDisplay = false;
};

// What a window tells of the program behind it; any part may be empty.
struct WindowOrigin {
  std::string instance;    // WM_CLASS instance, usually the program's name
  std::string className;   // WM_CLASS class
  std::string executable;  // the file name of its process's executable
};

class DesktopEntries {
 public:
  // Searches the `applications` folder of each data directory, earlier ones first; an empty
  // list means the XDG data directories of the environment.
  explicit DesktopEntries(std::vector<std::string> dataDirs = {});

  // The entry whose StartupWMClass is the instance or the class; else one whose program (Exec
  // or TryExec) is the instance or the executable; else one whose ID, or the last part of a
  // reverse-DNS ID, is the instance or the class, ignoring case. Where several entries start
  // the same program, one whose ID also names the window wins, then one shown in menus.
  std::optional<DesktopEntry> match(const WindowOrigin& window);

  // Every application entry of the `applications` folders (subfolders give IDs with '-'), an
  // ID in an earlier directory shadowing the same ID in later ones; unreadable files are
  // skipped. Safe on any thread.
  static std::vector<DesktopEntry> scan(const std::vector<std::string>& dataDirs,
                                        const std::string& locale);
  // The locale the desktop's texts are chosen for: LC_ALL, LC_MESSAGES or LANG.
  static std::string currentLocale();
  // `$XDG_DATA_HOME` (or ~/.local/share), then `$XDG_DATA_DIRS` (or /usr/local/share:/usr/share).
  static std::vector<std::string> environmentDataDirs();
  // The Name to show: `Name[<locale>]` for the language of LC_ALL / LC_MESSAGES / LANG when
  // present, else `Name`. Nothing for files that are not an application or are hidden (deleted
  // by the user); entries kept out of menus (NoDisplay) still identify windows.
  static std::optional<DesktopEntry> parse(const std::string& id, const std::string& contents,
                                           const std::string& locale);
  // The file name of the program an Exec line starts, past `env` and its assignments:
  // `env LANG=C "/opt/My App/bin/app" %U` starts "app".
  static std::string programOf(const std::string& exec);

 private:
  void load();

  std::vector<std::string> dataDirs_;
  std::optional<std::vector<DesktopEntry>> entries_;
};

}  // namespace dovrik::files
