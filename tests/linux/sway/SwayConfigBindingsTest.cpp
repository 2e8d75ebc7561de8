// The default mode's bindsym combinations of sway configs written in the ways sway reads.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "linux/sway/SwayConfigBindings.h"
#include "linux/sway/SwayIncludes.h"
#include "tests/linux/TempFolder.h"

namespace dovrik::sway {

// For failures that say which combinations differ.
void PrintTo(const SwayCombination& combination, std::ostream* out) {
  *out << combination.keys << " with modifier bits " << combination.modifiers;
}

namespace {

namespace fs = std::filesystem;

std::vector<SwayCombination> parsedAll(const std::vector<std::string>& texts) {
  std::vector<SwayCombination> combinations;
  for (const std::string& text : texts) {
    auto parsed = parseCombination(text);
    EXPECT_TRUE(parsed) << text;
    if (parsed)
      combinations.push_back(std::move(*parsed));
  }
  return combinations;
}

TEST(SwayConfigBindingsTest, FindsTheDefaultModesBindsymCombinations) {
  struct Row {
    const char* name;
    std::string config;
    std::vector<std::string> bound;
  };
  const std::vector<Row> rows{
      {"plain lines",
       "bindsym Ctrl+Mod1+Up exec true\nbindsym Mod4+Return exec foot\n",
       {"Ctrl+Mod1+Up", "Mod4+Return"}},
      {"flags before the combination",
       "bindsym --no-repeat --to-code --release --input-device=1:1:kbd Ctrl+Mod1+Up nop\n",
       {"Ctrl+Mod1+Up"}},
      {"variables", "set $mod Mod4\nset $left h\nbindsym $mod+$left focus left\n", {"Mod4+h"}},
      {"the longer variable name wins",
       "set $m Mod1\nset $mod Mod4\nbindsym $mod+x nop\n",
       {"Mod4+x"}},
      {"a variable set again", "set $mod Mod4\nset $mod Mod1\nbindsym $mod+x nop\n", {"Mod1+x"}},
      {"an unknown variable stays a key", "bindsym $nothing+x nop\n", {"$nothing+x"}},
      {"comments and blank lines",
       "# bindsym Ctrl+Mod1+Left nop\n\n   # indented bindsym Ctrl+Mod1+Right nop\n"
       "bindsym Ctrl+Mod1+Up nop # not a comment\n",
       {"Ctrl+Mod1+Up"}},
      {"continued lines", "bindsym \\\n  Ctrl+Mod1+Up \\\n  exec true\n", {"Ctrl+Mod1+Up"}},
      {"a comment is never continued", "# note \\\nbindsym Ctrl+Mod1+Up nop\n", {"Ctrl+Mod1+Up"}},
      {"another mode's block",
       "mode \"resize\" {\n  bindsym Left resize shrink width 10px\n  bindsym Return mode "
       "default\n}\nbindsym Mod4+r mode resize\n",
       {"Mod4+r"}},
      {"a mode name with blanks", "mode \"move window\" {\n  bindsym Left move left\n}\n", {}},
      {"another mode on one line", "mode resize bindsym Left resize shrink width 10px\n", {}},
      {"the default mode named",
       "mode \"default\" {\n  bindsym Ctrl+Mod1+Up nop\n}\n",
       {"Ctrl+Mod1+Up"}},
      {"the brace on a line of its own",
       "mode resize\n\n{\n  bindsym Left resize shrink width 10px\n}\nbindsym Mod4+r nop\n",
       {"Mod4+r"}},
      {"a bindsym block",
       "bindsym --to-code {\n  Mod4+1 workspace 1\n  Mod4+2 workspace 2\n}\n",
       {"Mod4+1", "Mod4+2"}},
      {"a bindsym block inside another mode",
       "mode resize {\n  bindsym {\n    Left nop\n  }\n}\n",
       {}},
      {"other blocks",
       "bar {\n  bindsym button4 workspace next\n}\ninput * {\n  xkb_layout us\n}\n",
       {}},
      {"key codes name no key", "bindcode Ctrl+Mod1+113 nop\n", {}},
      {"lines without a combination", "bindsym --no-repeat\nbindsym\nbindsym Ctrl+ nop\n", {}},
      {"no newline at the end", "bindsym Ctrl+Mod1+Up nop", {"Ctrl+Mod1+Up"}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(defaultModeBindings(row.config), parsedAll(row.bound)) << row.name;
}

// An included file is read in place: it sees the variables set before the include line, and
// those it sets count for the lines after it. An include of itself ends at a bounded depth.
TEST(SwayConfigBindingsTest, ReadsTheFilesIncludeLinesName) {
  std::vector<std::string> asked;
  const IncludedFiles files = [&asked](const std::string& path) -> std::vector<std::string> {
    asked.push_back(path);
    if (path == "/etc/sway/config.d/*")
      return {"bindsym $mod+Return exec foot\nset $term foot\n", "bindsym Mod4+d nop\n"};
    if (path == "keys with blanks")
      return {"mode resize {\n  bindsym Left nop\n}\n"};
    if (path == "loop")
      return {"bindsym Mod4+l nop\ninclude loop\n"};
    return {};
  };
  const std::string config =
      "set $mod Mod4\nset $dir /etc/sway\ninclude $dir/config.d/*\nbindsym $mod+t exec $term\n"
      "include \"keys with blanks\"\nbindsym Mod4+Left nop\ninclude missing\ninclude loop\n";
  const auto bound = defaultModeBindings(config, files);
  EXPECT_EQ(std::vector<SwayCombination>(bound.begin(), bound.begin() + 4),
            parsedAll({"Mod4+Return", "Mod4+d", "Mod4+t", "Mod4+Left"}));
  EXPECT_EQ(std::count(bound.begin(), bound.end(), *parseCombination("Mod4+l")), 8);
  EXPECT_EQ(
      std::vector<std::string>(asked.begin(), asked.begin() + 4),
      (std::vector<std::string>{"/etc/sway/config.d/*", "keys with blanks", "missing", "loop"}));
  EXPECT_EQ(defaultModeBindings("include /etc/sway/config.d/*\n"), parsedAll({}));
}

TEST(SwayIncludesTest, PathsAreExpandedAsSwayExpandsThemAndRelativeOnesFollowTheConfig) {
  files::testing::TempFolder home;
  const fs::path config = home.path() / ".config/sway";
  fs::create_directories(config / "config.d");
  std::ofstream(config / "config") << "include config.d/*\n";
  std::ofstream(config / "config.d/20-keys") << "second";
  std::ofstream(config / "config.d/10-look") << "first";
  fs::create_directories(config / "config.d/30-folder");
  const std::string folder = swayConfigFolder(home.path().string(), "");
  EXPECT_EQ(folder, config.string());

  EXPECT_EQ(includedFileTexts("config.d/*", folder), (std::vector<std::string>{"first", "second"}));
  setenv("DOVRIK_TEST_SWAY_HOME", home.path().c_str(), 1);
  EXPECT_EQ(includedFileTexts("$DOVRIK_TEST_SWAY_HOME/.config/sway/config.d/1*", folder),
            (std::vector<std::string>{"first"}));
  unsetenv("DOVRIK_TEST_SWAY_HOME");
  EXPECT_EQ(includedFileTexts(config.string() + "/config.d/20-keys", ""),
            (std::vector<std::string>{"second"}));
  // A command in the path is never run, and a path that names nothing reads as nothing.
  EXPECT_TRUE(includedFileTexts("$(touch " + (home.path() / "ran").string() + ")", folder).empty());
  EXPECT_FALSE(fs::exists(home.path() / "ran"));
  EXPECT_TRUE(includedFileTexts("nothing/*", folder).empty());
  EXPECT_EQ(swayConfigFolder((home.path() / "elsewhere").string(), "/nonexistent"),
            fs::exists("/etc/sway/config") ? "/etc/sway" : "");
}

}  // namespace
}  // namespace dovrik::sway
