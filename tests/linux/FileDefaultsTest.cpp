// The settings file: typed values through the disk, atomic replacement, and damaged files.
#include "linux/files/FileDefaults.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <limits>

#include "TempFolder.h"

namespace dovrik::files {
namespace {

using namespace testing;

class FileDefaultsTest : public ::testing::Test {
 protected:
  FileDefaults open() {
    return FileDefaults(file, [this](const std::string& line) { log.push_back(line); });
  }
  bool logMentions(const std::string& part) const {
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& line) { return line.find(part) != line.npos; });
  }

  TempFolder temp;
  fs::path folder = temp.path() / "config" / "dovrik";
  fs::path file = folder / "dovrik.json";
  std::vector<std::string> log;
};

TEST_F(FileDefaultsTest, ChangesKeepTheirTypeInMemoryAndThroughAPrivateAtomicWrite) {
  using Array = DefaultsValue::Array;
  using Dict = DefaultsValue::Dict;
  const Dict values = {
      {"yes", true},
      {"no", false},
      {"int", std::int64_t{10}},
      {"int min", std::numeric_limits<std::int64_t>::min()},
      {"int max", std::numeric_limits<std::int64_t>::max()},
      {"double", 0.35},
      {"whole double", 1.0},
      {"tiny double", 4.9e-324},
      {"infinity", -std::numeric_limits<double>::infinity()},
      {"string", "Normal"},
      {"digits", "5"},
      {"base64 text", "AAAA"},
      {"empty string", ""},
      {"unicode", "⇧⌘V — Größe"},
      {"data", Bytes{0x00, 0xff, 0x7b, 0x22, 0x0a}},
      {"empty data", Bytes{}},
      {"nested", Array{Dict{{"Left Half", Array{1, "1", 1.5, Bytes{1}}}}, Array{}, Dict{}}}};
  FileDefaults defaults = open();
  EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::missing);
  defaults.remove("absent");
  EXPECT_FALSE(fs::exists(folder)) << "removing nothing must not write";
  for (const auto& [key, value] : values)
    defaults.set(key, value);
  defaults.set("removed", 2);
  defaults.set("changed", 1);
  defaults.set("changed", "one");
  defaults.remove("removed");
  // Values compare with their type, so a double never matches an integer nor text a number.
  FileDefaults reopened = open();
  EXPECT_EQ(reopened.loaded(), FileDefaults::Loaded::ok);
  for (const auto& [key, value] : values) {
    EXPECT_EQ(defaults.object(key), value) << key;
    EXPECT_EQ(reopened.object(key), value) << key;
  }
  EXPECT_EQ(reopened.stringValue("changed"), "one");
  EXPECT_EQ(reopened.keys().size(), values.size() + 1);
  EXPECT_EQ(defaults.keys(), reopened.keys());
  EXPECT_TRUE(log.empty());

  // Written atomically: only the file itself, open to the user alone, as are new folders.
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"dovrik.json"});
  EXPECT_EQ(permissionsOf(folder), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(temp.path() / "config"), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(file), fs::perms::owner_read | fs::perms::owner_write);

  reopened.set("nan", std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(std::isnan(*open().doubleValue("nan")));
}

TEST_F(FileDefaultsTest, AWriteThatFailsPartWayLeavesThePreviousFileWhole) {
  FileDefaults defaults = open();
  defaults.set("kept", true);
  const std::string before = readFile(file);
  // A lowered file size limit fails the write part-way, as a full disk does, for root as well.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit lowered{before.size() + 16, saved.rlim_max};
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &lowered);
  defaults.set("big", std::string(4096, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(readFile(file), before);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"dovrik.json"});
  EXPECT_TRUE(logMentions("could not save settings"));
  EXPECT_EQ(defaults.stringValue("big")->size(), 4096u) << "this process keeps the value";

  defaults.set("later", 1);
  FileDefaults reopened = open();
  EXPECT_EQ(reopened.stringValue("big")->size(), 4096u) << "the next write carries it";
  EXPECT_EQ(reopened.boolValue("kept"), true);
}

TEST_F(FileDefaultsTest, PermissionProblemsNeverCostTheUserTheirFile) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "permission checks do not apply to root";
  FileDefaults defaults = open();
  defaults.set("kept", true);
  const std::string before = readFile(file);

  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  defaults.set("kept", false);
  EXPECT_TRUE(logMentions("Permission denied"));
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(readFile(file), before);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"dovrik.json"});

  fs::permissions(file, fs::perms::none);
  FileDefaults locked = open();
  EXPECT_EQ(locked.loaded(), FileDefaults::Loaded::unreadable);
  locked.set("fresh", 1);
  fs::permissions(folder / "dovrik.json.unreadable-1", fs::perms::owner_read);
  EXPECT_EQ(readFile(folder / "dovrik.json.unreadable-1"), before);
  EXPECT_EQ(open().keys(), std::vector<std::string>{"fresh"});
}

TEST_F(FileDefaultsTest, AnUnreadableFileReadsEmptyAndIsKeptAsideBeforeTheNextWrite) {
  const std::string deep = std::string(5000, '[') + std::string(5000, ']');
  for (const std::string& damaged : {std::string(), std::string("{\"a\": {\"int\": 1"),
                                     std::string("[1, 2]"), std::string("\"text\""), deep}) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    writeFile(file, damaged);
    writeFile(folder / "dovrik.json.unreadable-1", "an older casualty");
    log.clear();
    FileDefaults defaults = open();
    EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::unreadable);
    EXPECT_TRUE(defaults.keys().empty());
    EXPECT_TRUE(logMentions("using defaults"));
    EXPECT_EQ(readFile(file), damaged) << "reading alone changes nothing";

    defaults.set("fresh", 1);
    defaults.set("fresher", 2);
    EXPECT_EQ(readFile(folder / "dovrik.json.unreadable-2"), damaged);
    EXPECT_EQ(readFile(folder / "dovrik.json.unreadable-1"), "an older casualty");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"dovrik.json", "dovrik.json.unreadable-1",
                                                         "dovrik.json.unreadable-2"}));
    EXPECT_TRUE(logMentions("dovrik.json.unreadable-2"));
    FileDefaults reopened = open();
    EXPECT_EQ(reopened.loaded(), FileDefaults::Loaded::ok);
    EXPECT_EQ(reopened.keys(), (std::vector<std::string>{"fresh", "fresher"}));
  }
}

TEST_F(FileDefaultsTest, EntriesThatDoNotDecodeReadAsAbsentButSurviveWrites) {
  fs::create_directories(folder);
  const std::string entries = R"({
    "good": {"int": 3},
    "plain": 5,
    "wrongType": {"int": "5"},
    "fraction": {"int": 1.5},
    "badData": {"data": "!!!!"},
    "future": {"date": 12},
    "twoTags": {"int": 1, "double": 2},
    "badElement": {"array": [{"int": 1}, 2]}
  })";
  writeFile(file, entries);
  FileDefaults defaults = open();
  EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::ok);
  EXPECT_EQ(defaults.keys(), std::vector<std::string>{"good"});
  EXPECT_EQ(defaults.integerValue("good"), 3);
  EXPECT_TRUE(logMentions("\"future\""));

  defaults.set("plain", 6);
  defaults.remove("twoTags");
  nlohmann::json expected = nlohmann::json::parse(entries);
  expected["plain"] = {{"int", 6}};
  expected.erase("twoTags");
  EXPECT_EQ(nlohmann::json::parse(readFile(file)), expected);
}

TEST_F(FileDefaultsTest, TextThatIsNotUtf8IsStoredAsItWillReadBack) {
  FileDefaults defaults = open();
  defaults.set("bad\xff", DefaultsValue::Array{"a\xc3", DefaultsValue::Dict{{"\x80", "ok"}}});
  const DefaultsValue expected =
      DefaultsValue::Array{"a\uFFFD", DefaultsValue::Dict{{"\uFFFD", "ok"}}};
  EXPECT_EQ(defaults.object("bad\uFFFD"), expected);
  EXPECT_EQ(open().object("bad\uFFFD"), expected);
}

TEST_F(FileDefaultsTest, ALinkedSettingsFileIsWrittenThroughAndStaysALink) {
  const fs::path real = temp.path() / "dotfiles" / "dovrik.json";
  fs::create_directories(real.parent_path());
  fs::create_directories(folder);
  writeFile(real, R"({"a": {"int": 1}})");
  fs::create_symlink(real, file);
  open().set("b", 2);
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(FileDefaults(real, [](const std::string&) {}).integerValue("b"), 2);
  EXPECT_EQ(namesIn(real.parent_path()), std::vector<std::string>{"dovrik.json"});
}

}  // namespace
}  // namespace dovrik::files
