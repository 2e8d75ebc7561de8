// Scanning and parsing .desktop files (the freedesktop desktop entry format).
#include "linux/files/DesktopEntries.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

#include "core/support/AsciiCase.h"

namespace dovrik::files {

namespace {

std::string trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// "de_DE.UTF-8@euro" → {"de_DE@euro", "de_DE", "de@euro", "de"}, most specific first.
std::vector<std::string> localeKeys(const std::string& locale) {
  std::string base = locale;
  std::string modifier;
  if (const auto at = base.find('@'); at != std::string::npos) {
    modifier = base.substr(at);
    base = base.substr(0, at);
  }
  base = base.substr(0, base.find('.'));
  if (base.empty() || base == "C" || base == "POSIX")
    return {};
  const std::string lang = base.substr(0, base.find('_'));
  std::vector<std::string> keys;
  if (!modifier.empty())
    keys.push_back(base + modifier);
  keys.push_back(base);
  if (lang != base) {
    if (!modifier.empty())
      keys.push_back(lang + modifier);
    keys.push_back(lang);
  }
  return keys;
}

std::vector<std::string> splitList(const std::string& value) {
  std::vector<std::string> items;
  std::stringstream list(value);
  for (std::string item; std::getline(list, item, ';');) {
    if (!item.empty())
      items.push_back(item);
  }
  return items;
}

std::string fileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The words of an Exec line: separated by spaces outside double quotes, and a backslash inside
// quotes taking the next character as it is. Quotes may open inside a word (`B="2 3"`), as
// a shell would take them.
std::vector<std::string> execWords(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord)
        words.push_back(std::exchange(word, {}));
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '"')
      quoted = !quoted;
    else if (quoted && c == '\\' && i + 1 < exec.size())
      word += exec[++i];
    else
      word += c;
  }
  if (inWord)
    words.push_back(word);
  return words;
}

// Programs that run another one: their name says nothing of the application, and every window
// of a script would match the first entry that starts the interpreter.
bool runsAnotherProgram(const std::string& program) {
  static constexpr std::array<std::string_view, 8> launchers = {"sh",   "bash", "env",  "flatpak",
                                                                "java", "perl", "snap", "xdg-open"};
  return program.starts_with("python") ||
         std::find(launchers.begin(), launchers.end(), program) != launchers.end();
}

bool startsProgramOf(const DesktopEntry& entry, const WindowOrigin& window) {
  // A terminal application's windows are the terminal's, never its own.
  if (entry.terminal)
    return false;
  for (const std::string& program : {entry.program, fileName(entry.tryExec)}) {
    if (program.empty() || runsAnotherProgram(program))
      continue;
    if ((!window.instance.empty() && asciiLower(program) == asciiLower(window.instance)) ||
        program == window.executable)
      return true;
  }
  return false;
}

// Whether the ID, or the last part of a reverse-DNS ID ("org.gnome.gedit" → "gedit"), is
// `name` without regard to case.
bool idNames(const DesktopEntry& entry, const std::string& name) {
  if (name.empty())
    return false;
  const std::string id = asciiLower(entry.id);
  const std::string wanted = asciiLower(name);
  return id == wanted || id.substr(id.rfind('.') + 1) == wanted;
}

}  // namespace

DesktopEntries::DesktopEntries(std::vector<std::string> dataDirs)
    : dataDirs_(dataDirs.empty() ? environmentDataDirs() : std::move(dataDirs)) {}

std::string DesktopEntries::currentLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value)
      return value;
  }
  return {};
}

std::vector<std::string> DesktopEntries::environmentDataDirs() {
  std::vector<std::string> dirs;
  if (const char* home = std::getenv("XDG_DATA_HOME"); home && *home) {
    dirs.emplace_back(home);
  } else if (const char* user = std::getenv("HOME"); user && *user) {
    dirs.push_back(std::string(user) + "/.local/share");
  }
  const char* system = std::getenv("XDG_DATA_DIRS");
  std::stringstream list(system && *system ? system : "/usr/local/share:/usr/share");
  for (std::string dir; std::getline(list, dir, ':');) {
    if (!dir.empty())
      dirs.push_back(dir);
  }
  return dirs;
}

std::optional<DesktopEntry> DesktopEntries::parse(const std::string& id,
                                                  const std::string& contents,
                                                  const std::string& locale) {
  std::istringstream lines(contents);
  bool inMainGroup = false;
  std::string type;
  std::string name;
  std::string localizedName;
  std::size_t localizedRank = SIZE_MAX;
  bool hidden = false;
  DesktopEntry entry;
  entry.id = id;
  const auto keys = localeKeys(locale);
  for (std::string line; std::getline(lines, line);) {
    line = trim(line);
    if (line.empty() || line[0] == '#')
      continue;
    if (line[0] == '[') {
      inMainGroup = (line == "[Desktop Entry]");
      continue;
    }
    if (!inMainGroup)
      continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos)
      continue;
    const std::string key = trim(line.substr(0, eq));
    const std::string value = trim(line.substr(eq + 1));
    if (key == "Type") {
      type = value;
    } else if (key == "Name") {
      name = value;
    } else if (key.rfind("Name[", 0) == 0 && key.back() == ']') {
      const std::string tag = key.substr(5, key.size() - 6);
      const auto rank = std::find(keys.begin(), keys.end(), tag);
      if (rank != keys.end() && static_cast<std::size_t>(rank - keys.begin()) < localizedRank) {
        localizedRank = static_cast<std::size_t>(rank - keys.begin());
        localizedName = value;
      }
    } else if (key == "StartupWMClass") {
      entry.startupWmClass = value;
    } else if (key == "Hidden") {
      hidden = (value == "true");
    } else if (key == "NoDisplay") {
      entry.noDisplay = (value == "true");
    } else if (key == "Icon") {
      entry.icon = value;
    } else if (key == "TryExec") {
      entry.tryExec = value;
    } else if (key == "Exec") {
      entry.program = programOf(value);
    } else if (key == "Categories") {
      entry.categories = splitList(value);
    } else if (key == "Terminal") {
      entry.terminal = (value == "true");
    }
  }
  // Hidden=true means the user deleted the entry; only applications identify windows.
  if (type != "Application" || hidden)
    return std::nullopt;
  entry.name = localizedName.empty() ? name : localizedName;
  return entry;
}

void DesktopEntries::load() {
  entries_ = scan(dataDirs_, currentLocale());
}

std::vector<DesktopEntry> DesktopEntries::scan(const std::vector<std::string>& dataDirs,
                                               const std::string& locale) {
  namespace fs = std::filesystem;
  std::vector<DesktopEntry> entries;
  std::set<std::string> seen;  // an ID found in an earlier directory shadows later ones
  for (const auto& dataDir : dataDirs) {
    const fs::path root = fs::path(dataDir) / "applications";
    std::error_code ec;
    if (!fs::is_directory(root, ec))
      continue;
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(
             root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->path().extension() == ".desktop" && it->is_regular_file(ec))
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      // The ID is the path below applications/ with '/' turned into '-'.
      std::string id = fs::relative(file, root, ec).replace_extension().generic_string();
      std::replace(id.begin(), id.end(), '/', '-');
      if (ec || !seen.insert(id).second)
        continue;
      std::ifstream in(file);
      std::stringstream contents;
      contents << in.rdbuf();
      if (auto entry = parse(id, contents.str(), locale))
        entries.push_back(std::move(*entry));
    }
  }
  return entries;
}

std::string DesktopEntries::programOf(const std::string& exec) {
  const std::vector<std::string> words = execWords(exec);
  auto word = words.begin();
  if (word != words.end() && fileName(*word) == "env") {
    ++word;
    while (word != words.end() && (word->find('=') != std::string::npos || word->starts_with("-")))
      ++word;
  }
  return word == words.end() ? std::string() : fileName(*word);
}

std::optional<DesktopEntry> DesktopEntries::match(const WindowOrigin& window) {
  if (!entries_)
    load();
  for (const auto& entry : *entries_) {
    if (!entry.startupWmClass.empty() &&
        (entry.startupWmClass == window.instance || entry.startupWmClass == window.className)) {
      return entry;
    }
  }
  const DesktopEntry* best = nullptr;
  int bestRank = -1;
  for (const auto& entry : *entries_) {
    if (!startsProgramOf(entry, window))
      continue;
    const int rank = (idNames(entry, window.instance) || idNames(entry, window.className) ? 2 : 0) +
                     (entry.noDisplay ? 0 : 1);
    if (rank > bestRank) {
      best = &entry;
      bestRank = rank;
    }
  }
  if (best)
    return *best;
  for (const std::string& name : {window.instance, window.className}) {
    for (const auto& entry : *entries_) {
      if (idNames(entry, name))
        return entry;
    }
  }
  return std::nullopt;
}

}  // namespace dovrik::files
