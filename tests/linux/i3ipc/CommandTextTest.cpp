// Command text: quoting that no text can break out of, criteria and the placement command.
#include <gtest/gtest.h>

#include "linux/i3ipc/CommandText.h"

namespace dovrik::i3ipc {
namespace {

TEST(CommandTextTest, QuotesAnyText) {
  struct Row {
    const char* name;
    std::string text;
    std::string expected;
  };
  const std::vector<Row> rows{
      {"plain", "nop dovrik:7", R"("nop dovrik:7")"},
      {"separators stay inside", "a; exec rm -rf ~, kill", R"("a; exec rm -rf ~, kill")"},
      {"quote", R"(say "hi")", R"("say \"hi\"")"},
      {"trailing backslash", R"(C:\)", R"("C:\\")"},
      {"backslash before quote", R"(\")", R"("\\\"")"},
      {"empty", "", R"("")"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(quotedArgument(row.text), row.expected) << row.name;
}

TEST(CommandTextTest, PlacesTheOuterFrameInWholePixels) {
  EXPECT_EQ(conCriteria(93958043458128), "[con_id=93958043458128]");
  EXPECT_EQ(x11WindowCriteria(0xa0000c), "[id=0xa0000c]");
  EXPECT_EQ(placeFloating(x11WindowCriteria(0xa0000c), {0, 0, 640, 780}),
            "[id=0xa0000c] floating enable, resize set 640 px 780 px, "
            "move absolute position 0 px 0 px");
  // Halves of an odd width: the right half starts where the left one ends.
  EXPECT_EQ(placeFloating("[con_id=1]", {640.5, -10.25, 639.5, 0.2}),
            "[con_id=1] floating enable, resize set 640 px 1 px, "
            "move absolute position 640 px -11 px");
}

}  // namespace
}  // namespace dovrik::i3ipc
