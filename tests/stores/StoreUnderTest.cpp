// The stores the crash-safety test saves and reads back.
#include "StoreUnderTest.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/clipboard/ClipboardStore.h"
#include "core/platform/StoredList.h"
#include "core/rules/AppRule.h"
#include "core/rules/RuleManager.h"
#include "core/shelf/FileShelfItem.h"
#include "core/shelf/FileShelfManager.h"
#include "core/workspaces/Workspace.h"
#include "core/workspaces/WorkspaceManager.h"
#include "linux/files/ConfigPaths.h"
#include "linux/files/FileDefaults.h"
#include "linux/files/FileDefaultsDomains.h"
#include "linux/files/PosixFiles.h"

namespace dovrik::storetest {
namespace {

namespace fs = std::filesystem;
using files::FileDefaults;
using files::FileDefaultsDomains;

fs::path configFolder(const fs::path& home) {
  return files::dovrikConfigFolder(home / "config");
}
fs::path settingsFile(const fs::path& home) {
  return configFolder(home) / (std::string(FileDefaultsDomains::applicationDomainName) + ".json");
}
fs::path dataHome(const fs::path& home) {
  return home / "data";
}

// Saving ignores log lines, as a running Dovrik would only report them.
void ignore(const std::string&) {}

// Bytes that differ between the two contents and do not repeat.
Bytes noise(int content, std::size_t size) {
  Bytes bytes(size);
  std::uint32_t state = 0x9E3779B9u + static_cast<std::uint32_t>(content);
  for (std::uint8_t& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<std::uint8_t>(state);
  }
  return bytes;
}

Uuid idOf(int content, int index) {
  std::array<std::uint8_t, 16> bytes{};
  bytes[0] = static_cast<std::uint8_t>(content + 1);
  bytes[1] = static_cast<std::uint8_t>(index >> 8);
  bytes[2] = static_cast<std::uint8_t>(index);
  return Uuid(bytes);
}

std::string label(int content, int index) {
  return (content == 0 ? "Old " : "New ") + std::to_string(index) + " " +
         std::string(60, content == 0 ? 'o' : 'n');
}

double dateOf(int index) {
  return 800000000.0 + index;
}

template <typename Value>
ReadBack matching(const Value& found, const std::array<Value, 2>& contents) {
  for (int content : {0, 1})
    if (found == contents[content])
      return {content, ""};
  return {-1, "it holds neither the old nor the new content"};
}

// The application's settings file as a fresh start loads it; `fault` says why it would not.
struct LoadedSettings {
  std::string log;
  FileDefaults defaults;
  explicit LoadedSettings(const fs::path& home)
      : defaults(settingsFile(home), [this](const std::string& line) { log += line + "\n"; }) {}
  std::string fault() const {
    if (defaults.loaded() != FileDefaults::Loaded::ok || !log.empty())
      return "the settings file does not load cleanly: " + log;
    return "";
  }
};

// A value of each type under one settings key, the bulk in a data value.
struct SettingsFormat {
  static constexpr std::string_view key = "storeCrashSample";
  std::array<DefaultsValue, 2> contents{value(0), value(1)};

  static DefaultsValue value(int content) {
    return DefaultsValue::Dict{{"count", content == 0 ? 4 : 12},
                               {"ratio", content == 0 ? 0.25 : 0.75},
                               {"name", label(content, 0)},
                               {"flag", content == 1},
                               {"blob", noise(content, 60000)}};
  }
};

class SettingsStore : public StoreUnderTest {
 public:
  explicit SettingsStore(const fs::path& home) : domains_(configFolder(home), ignore) {}
  void save(int content) override {
    domains_.application().set(SettingsFormat::key, format_.contents[content]);
  }

 private:
  FileDefaultsDomains domains_;
  SettingsFormat format_;
};

// A list kept as JSON under one settings key, as the workspace, rule and shelf managers keep
// theirs.
template <typename Record>
struct ListFormat {
  std::string_view key;
  std::string_view unreadableKey;
  std::array<std::vector<Record>, 2> contents;
  std::function<std::string(const std::vector<Record>&)> encode;
  std::function<std::optional<std::vector<Record>>(std::string_view)> decode;
};

template <typename Record>
class ListStore : public StoreUnderTest {
 public:
  ListStore(const fs::path& home, ListFormat<Record> format)
      : domains_(configFolder(home), ignore),
        format_(std::move(format)),
        list_(domains_.application(), format_.key, format_.unreadableKey) {
    list_.load(format_.decode);
  }
  void save(int content) override { list_.save(format_.encode(format_.contents[content])); }

 private:
  FileDefaultsDomains domains_;
  ListFormat<Record> format_;
  StoredList list_;
};

std::vector<Workspace> workspaces(int content) {
  std::vector<Workspace> list;
  for (int index = 0; index < 30; ++index) {
    Workspace workspace;
    workspace.id = idOf(content, index);
    workspace.name = label(content, index);
    workspace.displaySignature = "DISPLAY-" + std::to_string(content);
    workspace.autoRestore = index % 2 == content;
    workspace.createdAt = dateOf(index);
    for (int window = 0; window < 8; ++window)
      workspace.windows.push_back({.bundleIdentifier = "org.example.app" + std::to_string(window),
                                   .appName = label(content, window),
                                   .windowTitle = label(content, index),
                                   .windowIndex = window,
                                   .displayUUID = idOf(content, window).toString(),
                                   .fractionalFrame = {0.25, 0.5, 0.5, 0.25 * content + 0.25}});
    list.push_back(std::move(workspace));
  }
  return list;
}

std::vector<AppRule> appRules(int content) {
  std::vector<AppRule> list;
  for (int index = 0; index < 400; ++index)
    list.push_back({.id = idOf(content, index),
                    .bundleIdentifier = "org.example.app" + std::to_string(index),
                    .appName = label(content, index),
                    .snapPosition = allSnapPositions[(index + content) % allSnapPositions.size()],
                    .isEnabled = index % 3 != content});
  return list;
}

std::vector<FileShelfItem> shelfItems(int content) {
  std::vector<FileShelfItem> list;
  for (int index = 0; index < 300; ++index) {
    const std::string name = "file-" + std::to_string(content) + "-" + std::to_string(index);
    list.push_back({.id = idOf(content, index),
                    .url = "file:///home/user/Documents/" + std::string(80, 'd') + "/" + name,
                    .filename = name,
                    .timestamp = dateOf(index),
                    .isPinned = index % 5 == 0,
                    .isDirectory = false,
                    .isReachable = index % 7 != content});
  }
  return list;
}

ListFormat<Workspace> workspaceFormat() {
  return {WorkspaceManager::storageKey,
          WorkspaceManager::unreadableKey,
          {workspaces(0), workspaces(1)},
          [](const std::vector<Workspace>& list) { return encodeWorkspaces(list).value(); },
          decodeWorkspaces};
}

ListFormat<AppRule> ruleFormat() {
  return {RuleManager::storageKey,
          RuleManager::unreadableKey,
          {appRules(0), appRules(1)},
          encodeAppRules,
          decodeAppRules};
}

ListFormat<FileShelfItem> shelfFormat() {
  return {FileShelfManager::storageKey,
          FileShelfManager::unreadableKey,
          {shelfItems(0), shelfItems(1)},
          [](const std::vector<FileShelfItem>& list) { return encodeFileShelfItems(list).value(); },
          decodeFileShelfItems};
}

// A few images of some 64 KB among texts.
struct ClipboardFormat {
  std::array<std::vector<ClipboardItem>, 2> contents{items(0), items(1)};

  static std::vector<ClipboardItem> items(int content) {
    std::vector<ClipboardItem> list;
    for (int index = 0; index < 12; ++index) {
      ClipboardItem item;
      item.id = idOf(content, index);
      item.timestamp = dateOf(index);
      if (index % 4 == 0) {
        item.kind = ClipboardKind::image;
        item.imageData = noise(content + index, 64000);
      } else {
        item.text = label(content, index);
      }
      item.isPinned = index == content;
      list.push_back(std::move(item));
    }
    return list;
  }
};

// The saver writes with writeNow, which needs no worker; anything handed here runs at once.
class InPlaceBackground : public Background {
 public:
  using Background::run;
  void run(std::function<void()> work, std::function<void()> thenOnMain) override {
    work();
    thenOnMain();
  }
};

// The history file with its real file port; the settings are only read, for an older copy.
struct ClipboardParts {
  LoadedSettings settings;
  files::PosixFiles files;
  InPlaceBackground background;
  ClipboardStore store;
  explicit ClipboardParts(const fs::path& home)
      : settings(home), files(dataHome(home)), store(files, background, settings.defaults) {}
};

class ClipboardHistoryStore : public StoreUnderTest {
 public:
  explicit ClipboardHistoryStore(const fs::path& home) : parts_(home) { parts_.store.load(); }
  void save(int content) override { parts_.store.writeNow(format_.contents[content]); }

 private:
  ClipboardParts parts_;
  ClipboardFormat format_;
};

std::unique_ptr<StoreUnderTest> open(const fs::path& home, SettingsFormat) {
  return std::make_unique<SettingsStore>(home);
}
template <typename Record>
std::unique_ptr<StoreUnderTest> open(const fs::path& home, ListFormat<Record> format) {
  return std::make_unique<ListStore<Record>>(home, std::move(format));
}
std::unique_ptr<StoreUnderTest> open(const fs::path& home, ClipboardFormat) {
  return std::make_unique<ClipboardHistoryStore>(home);
}

ReadBack read(const fs::path& home, const SettingsFormat& format) {
  const LoadedSettings settings(home);
  if (std::string fault = settings.fault(); !fault.empty())
    return {-1, fault};
  const auto value = settings.defaults.object(SettingsFormat::key);
  if (!value)
    return {-1, "the value is missing"};
  return matching(*value, format.contents);
}

template <typename Record>
ReadBack read(const fs::path& home, const ListFormat<Record>& format) {
  LoadedSettings settings(home);
  if (std::string fault = settings.fault(); !fault.empty())
    return {-1, fault};
  StoredList list(settings.defaults, format.key, format.unreadableKey);
  const auto records = list.load(format.decode);
  if (!records)
    return {-1, "the list is missing or does not decode"};
  return matching(*records, format.contents);
}

ReadBack read(const fs::path& home, const ClipboardFormat& format) {
  ClipboardParts parts(home);
  const ClipboardStore::Loaded loaded = parts.store.load();
  if (loaded.items.empty())
    return {-1, "the history is empty, missing or does not decode"};
  return matching(loaded.items, format.contents);
}

// Calls `use` with the format of the store called `name`; answers whether there is one.
template <typename Use>
bool withFormat(std::string_view name, Use use) {
  if (name == "settings")
    use(SettingsFormat{});
  else if (name == "workspaces")
    use(workspaceFormat());
  else if (name == "rules")
    use(ruleFormat());
  else if (name == "shelf")
    use(shelfFormat());
  else if (name == "clipboard")
    use(ClipboardFormat{});
  else
    return false;
  return true;
}

}  // namespace

std::unique_ptr<StoreUnderTest> openStore(std::string_view name, const fs::path& home) {
  std::unique_ptr<StoreUnderTest> store;
  withFormat(name, [&](auto format) { store = open(home, std::move(format)); });
  return store;
}

ReadBack readBack(std::string_view name, const fs::path& home) {
  ReadBack result{-1, "unknown store"};
  withFormat(name, [&](const auto& format) { result = read(home, format); });
  return result;
}

fs::path storeFolder(std::string_view name, const fs::path& home) {
  return name == "clipboard" ? dataHome(home) / "Dovrik" : configFolder(home);
}

}  // namespace dovrik::storetest
