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
};

class DesktopEntries {
 public:
  // Searches the `applications` folder of each data directory, earlier ones first; an empty
  // list means the XDG data directories of the environment.
  explicit DesktopEntries(std::vector<std::string> dataDirs = {});

  // The entry whose StartupWMClass is the instance or the class, else the one whose ID is the
  // instance or the class (ignoring case).
  std::optional<DesktopEntry> match(const std::string& instance, const std::string& className);

  // `$XDG_DATA_HOME` (or ~/.local/share), then `$XDG_DATA_DIRS` (or /usr/local/share:/usr/share).
  static std::vector<std::string> environmentDataDirs();
  // The Name to show: `Name[<locale>]` for the language of LC_ALL / LC_MESSAGES / LANG when
  // present, else `Name`. Nothing for files that are not a shown application.
  static std::optional<DesktopEntry> parse(const std::string& id, const std::string& contents,
                                           const std::string& locale);

 private:
  void load();

  std::vector<std::string> dataDirs_;
  std::optional<std::vector<DesktopEntry>> entries_;
};

}  // namespace dovrik::x11
