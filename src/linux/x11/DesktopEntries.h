// The installed applications' .desktop entries, read once on first use, and the match of a
// window's WM_CLASS to one of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dovrik::x11 {

struct DesktopEntry {
  std::string id;  // the desktop file ID without ".desktop", e.g. "org.gnome.Nautilus"
  std::string name;
  std::string startupWmClass;
  std::string icon;     // an icon theme name or a path
  std::string tryExec;  // the program that must be installed for the entry to be offered
  bool noDisplay = false;
};

class DesktopEntries {
 public:
  // Searches the `applications` folder of each data directory, earlier ones first; an empty
  // list means the XDG data directories of the environment.
  explicit DesktopEntries(std::vector<std::string> dataDirs = {});

  // The entry whose StartupWMClass is the instance or the class, else the one whose ID is the
  // instance or the class (ignoring case).
  std::optional<DesktopEntry> match(const std::string& instance, const std::string& className);

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

 private:
  void load();

  std::vector<std::string> dataDirs_;
  std::optional<std::vector<DesktopEntry>> entries_;
};

}  // namespace dovrik::x11
