// Settings domains as files in one folder: the application's own, others by name, and names
// that must not reach outside the folder.
#include "linux/files/FileDefaultsDomains.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace dovrik::files {
namespace {

using namespace testing;

class FileDefaultsDomainsTest : public ::testing::Test {
 protected:
  TempFolder temp;
  fs::path folder = temp.path() / "dovrik";
  std::vector<std::string> log;
  FileDefaultsDomains domains{folder, [this](const std::string& line) { log.push_back(line); }};
};

TEST_F(FileDefaultsDomainsTest, DomainsOpenByNameOnlyWhenTheirFileReads) {
  EXPECT_EQ(domains.openDomain("com.quillmoor.app"), nullptr);
  EXPECT_FALSE(fs::exists(folder)) << "looking must not create anything";

  domains.application().set("snappingEnabled", false);
  EXPECT_EQ(
      FileDefaults(folder / "dovrik.json", [](const std::string&) {}).boolValue("snappingEnabled"),
      false);
  EXPECT_EQ(domains.openDomain("dovrik"), &domains.application());

  fs::create_directories(folder / "folder.json");
  writeFile(folder / "com.quillmoor.app.json", R"({"fileShelfSize": {"int": 5}})");
  writeFile(folder / "broken.json", "{");
  Defaults* predecessor = domains.openDomain("com.quillmoor.app");
  ASSERT_NE(predecessor, nullptr);
  EXPECT_EQ(predecessor->integerValue("fileShelfSize"), 5);
  EXPECT_EQ(domains.openDomain("com.quillmoor.app"), predecessor);
  EXPECT_EQ(domains.openDomain("broken"), nullptr);
  EXPECT_EQ(domains.openDomain("folder"), nullptr);
  EXPECT_EQ(readFile(folder / "broken.json"), "{");
}

TEST_F(FileDefaultsDomainsTest, NamesThatCouldLeaveTheFolderOrHideAreRefused) {
  fs::create_directories(folder);
  const std::string valid = R"({"k": {"int": 1}})";
  writeFile(temp.path() / "outside.json", valid);
  writeFile(folder / ".hidden.json", valid);
  writeFile(folder / "..json", valid);
  for (const std::string& name : std::vector<std::string>{
           "../outside", "..", ".", "", ".hidden", "a/b", "/etc/passwd", std::string("a\0b", 3),
           "with space", "tab\t", std::string(201, 'a')}) {
    EXPECT_FALSE(FileDefaultsDomains::isValidDomainName(name)) << name;
    EXPECT_EQ(domains.openDomain(name), nullptr) << name;
  }
  EXPECT_FALSE(log.empty());
  for (const std::string& name :
       std::vector<std::string>{"com.quillmoor.app", "A-b_c.1", "x", std::string(200, 'a')})
    EXPECT_TRUE(FileDefaultsDomains::isValidDomainName(name)) << name;
}

}  // namespace
}  // namespace dovrik::files
