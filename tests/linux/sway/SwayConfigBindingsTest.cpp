// The default mode's bindsym combinations of sway configs written in the ways sway reads.
#include <gtest/gtest.h>

#include "linux/sway/SwayConfigBindings.h"

namespace dovrik::sway {

// For failures that say which combinations differ.
void PrintTo(const SwayCombination& combination, std::ostream* out) {
  *out << combination.keys << " with modifier bits " << combination.modifiers;
}

namespace {

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

}  // namespace
}  // namespace dovrik::sway
