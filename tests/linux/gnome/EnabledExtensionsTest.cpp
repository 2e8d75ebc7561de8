// GNOME's list of turned-on extensions as gsettings prints and reads it.
#include <gtest/gtest.h>

#include "linux/gnome/EnabledExtensions.h"

namespace dovrik::gnome {
namespace {

using List = std::vector<std::string>;

TEST(EnabledExtensionsTest, ReadsEveryFormGsettingsPrints) {
  const std::vector<std::pair<std::string, std::optional<List>>> cases = {
      {"['a@b', 'c@d']\n", List{"a@b", "c@d"}},
      {"@as []\n", List{}},
      {"[]", List{}},
      {R"(['it\'s'])", List{"it's"}},
      {R"(["x'y", 'z'])", List{"x'y", "z"}},
      {"['a', ]", std::nullopt},
      {"['a'", std::nullopt},
      {"['a'] trailing", std::nullopt},
      {"No such schema “org.gnome.shell”", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(parseStringArray(text), expected) << text;
}

TEST(EnabledExtensionsTest, WritesAListThatReadsBackTheSame) {
  const List items{"dovrik@dovrik.org", "it's", R"(back\slash)", ""};
  EXPECT_EQ(parseStringArray(stringArrayText(items)), items);
  EXPECT_EQ(stringArrayText({}), "[]");
  EXPECT_TRUE(isListed(items, "it's"));
  EXPECT_FALSE(isListed(items, "dovrik"));
}

}  // namespace
}  // namespace dovrik::gnome
