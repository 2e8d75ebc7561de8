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

namespace fs = std::filesystem;
using testing::namesIn;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

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

// Lowers the largest file this process may write, so that a write fails part-way through the
// way a full disk makes it fail, for root as well.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

DefaultsValue::Dict everyKind() {
  using Array = DefaultsValue::Array;
  using Dict = DefaultsValue::Dict;
  return {
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
      {"empty string", ""},
      {"unicode", "⇧⌘V — Größe"},
      {"data", Bytes{0x00, 0xff, 0x7b, 0x22, 0x0a}},
      {"empty data", Bytes{}},
      {"nested", Array{Dict{{"Left Half", Array{1, "1", 1.5, Bytes{1}}}}, Array{}, Dict{}}},
  };
}

TEST_F(FileDefaultsTest, EveryValueKindKeepsItsTypeInMemoryAndThroughTheFile) {
  const DefaultsValue::Dict values = everyKind();
  {
    FileDefaults defaults = open();
    EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::missing);
    for (const auto& [key, value] : values)
      defaults.set(key, value);
    for (const auto& [key, value] : values)
      EXPECT_EQ(defaults.object(key), value) << key;
  }
  FileDefaults reopened = open();
  EXPECT_EQ(reopened.loaded(), FileDefaults::Loaded::ok);
  for (const auto& [key, value] : values)
    EXPECT_EQ(reopened.object(key), value) << key;
  EXPECT_TRUE(reopened.object("whole double")->isDouble());
  EXPECT_TRUE(reopened.object("int")->isInteger());
  EXPECT_EQ(reopened.keys().size(), values.size());
  EXPECT_TRUE(log.empty());

  reopened.set("nan", std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(std::isnan(*open().doubleValue("nan")));
}

TEST_F(FileDefaultsTest, AStringOfDigitsNeverReadsAsANumberNorTextAsData) {
  fs::create_directories(folder);
  writeFile(file,
            R"({"typed": {"string": "5"}, "number": {"int": 5}, "text": {"string": "AAAA"}})");
  const auto check = [](const FileDefaults& d) {
    for (const char* key : {"typed", "written"}) {
      EXPECT_EQ(d.stringValue(key), "5") << key;
      EXPECT_EQ(d.integerValue(key), std::nullopt) << key;
      EXPECT_EQ(d.doubleValue(key), std::nullopt) << key;
      EXPECT_EQ(d.boolValue(key), std::nullopt) << key;
    }
    EXPECT_EQ(d.integerValue("number"), 5);
    EXPECT_EQ(d.stringValue("number"), std::nullopt);
    EXPECT_EQ(d.dataValue("text"), std::nullopt);
  };
  FileDefaults defaults = open();
  defaults.set("written", "5");
  check(defaults);
  check(open());
}

TEST_F(FileDefaultsTest, ChangesAndRemovalsReachTheFileAndWritesAreAtomicAndPrivate) {
  FileDefaults defaults = open();
  defaults.remove("absent");
  EXPECT_FALSE(fs::exists(folder)) << "removing nothing must not write";

  defaults.set("a", 1);
  defaults.set("b", 2);
  defaults.set("a", "one");
  defaults.remove("b");
  EXPECT_EQ(defaults.keys(), std::vector<std::string>{"a"});
  FileDefaults reopened = open();
  EXPECT_EQ(reopened.stringValue("a"), "one");
  EXPECT_EQ(reopened.object("b"), std::nullopt);

  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"dovrik.json"});
  EXPECT_EQ(testing::permissionsOf(folder), fs::perms::owner_all);
  EXPECT_EQ(testing::permissionsOf(temp.path() / "config"), fs::perms::owner_all);
  EXPECT_EQ(testing::permissionsOf(file), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileDefaultsTest, AWriteThatFailsPartWayLeavesThePreviousFileWhole) {
  FileDefaults defaults = open();
  defaults.set("kept", true);
  const std::string before = readFile(file);
  {
    FileSizeLimit limit(before.size() + 16);
    defaults.set("big", std::string(4096, 'x'));
  }
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
    TempFolder other;
    const fs::path damagedFile = other.path() / "dovrik.json";
    writeFile(damagedFile, damaged);
    writeFile(other.path() / "dovrik.json.unreadable-1", "an older casualty");
    log.clear();
    FileDefaults defaults(damagedFile, [this](const std::string& line) { log.push_back(line); });
    EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::unreadable);
    EXPECT_TRUE(defaults.keys().empty());
    EXPECT_TRUE(logMentions("using defaults"));
    EXPECT_EQ(readFile(damagedFile), damaged) << "reading alone changes nothing";

    defaults.set("fresh", 1);
    defaults.set("fresher", 2);
    EXPECT_EQ(readFile(other.path() / "dovrik.json.unreadable-2"), damaged);
    EXPECT_EQ(readFile(other.path() / "dovrik.json.unreadable-1"), "an older casualty");
    EXPECT_EQ(namesIn(other.path()),
              (std::vector<std::string>{"dovrik.json", "dovrik.json.unreadable-1",
                                        "dovrik.json.unreadable-2"}));
    EXPECT_TRUE(logMentions("dovrik.json.unreadable-2"));
    FileDefaults reopened(damagedFile, [](const std::string&) {});
    EXPECT_EQ(reopened.loaded(), FileDefaults::Loaded::ok);
    EXPECT_EQ(reopened.keys(), (std::vector<std::string>{"fresh", "fresher"}));
  }
}

TEST_F(FileDefaultsTest, EntriesThatDoNotDecodeReadAsAbsentButSurviveWrites) {
  fs::create_directories(folder);
  writeFile(file, R"({
    "good": {"int": 3},
    "plain": 5,
    "wrongType": {"int": "5"},
    "fraction": {"int": 1.5},
    "badData": {"data": "!!!!"},
    "future": {"date": 12},
    "twoTags": {"int": 1, "double": 2},
    "badElement": {"array": [{"int": 1}, 2]}
  })");
  FileDefaults defaults = open();
  EXPECT_EQ(defaults.loaded(), FileDefaults::Loaded::ok);
  EXPECT_EQ(defaults.keys(), std::vector<std::string>{"good"});
  EXPECT_EQ(defaults.object("plain"), std::nullopt);
  EXPECT_TRUE(logMentions("\"future\""));

  defaults.set("plain", 6);
  defaults.remove("twoTags");
  const Json written = Json::parse(readFile(file));
  EXPECT_EQ(written["plain"], Json::parse(R"({"int": 6})"));
  EXPECT_FALSE(written.contains("twoTags"));
  EXPECT_EQ(written["future"], Json::parse(R"({"date": 12})"));
  EXPECT_EQ(written["badData"], Json::parse(R"({"data": "!!!!"})"));
  EXPECT_EQ(written["badElement"], Json::parse(R"({"array": [{"int": 1}, 2]})"));
  EXPECT_EQ(written.size(), 7u);
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
  FileDefaults defaults = open();
  defaults.set("b", 2);
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(FileDefaults(real, [](const std::string&) {}).integerValue("b"), 2);
  EXPECT_EQ(namesIn(real.parent_path()), std::vector<std::string>{"dovrik.json"});
}

}  // namespace
}  // namespace dovrik::files
