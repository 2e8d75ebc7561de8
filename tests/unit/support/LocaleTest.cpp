// What the user's locale decides in the core: the month of an older entry's date, and the order
// of application names in the lists the user picks from. The plain locale keeps both fixed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/model/RelativeTime.h"
#include "core/platform/PlainLocale.h"
#include "core/rules/InstalledAppsCache.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

// A locale whose months and order differ from the plain one at every point a test looks at:
// months by number, names ordered by a table of sort keys (unknown names last).
class TableLocale : public Locale {
 public:
  explicit TableLocale(std::map<std::string, int> keys) : keys_(std::move(keys)) {}
  std::string shortMonthName(int month) const override { return "M" + std::to_string(month); }
  int compare(std::string_view a, std::string_view b) const override { return key(a) - key(b); }

 private:
  int key(std::string_view name) const {
    const auto found = keys_.find(std::string(name));
    return found == keys_.end() ? 1000 : found->second;
  }
  std::map<std::string, int> keys_;
};

// Noon UTC on 2024-03-05, so the local date is the same day in nearly every time zone.
constexpr double kMarchFifth = 731332800;

TEST(LocaleTest, DatesTakeTheMonthFromTheLocaleAndOnlyFromADayOn) {
  const TableLocale numbered({});
  EXPECT_EQ(relativeTimeText(kMarchFifth, kMarchFifth + 86400, numbered), "M3 5");
  EXPECT_EQ(relativeTimeText(kMarchFifth, kMarchFifth + 86399, numbered), "23h ago");
  // Months count from 1: December is the twelfth.
  EXPECT_EQ(relativeTimeText(kMarchFifth + 300 * 86400.0, kMarchFifth + 400 * 86400.0, numbered),
            "M12 30");
  EXPECT_EQ(relativeTimeText(kMarchFifth, kMarchFifth + 86400, PlainLocale()), "Mar 5");
  // A stored date far outside any calendar shows no date rather than a wrong one.
  EXPECT_EQ(relativeTimeText(-1e13, 0, numbered), "");
}

TEST(LocaleTest, PlainLocaleNamesEveryMonthAndOrdersByBytesWithoutCase) {
  const PlainLocale plain;
  std::vector<std::string> months;
  for (int month = 0; month <= 13; ++month)
    months.push_back(plain.shortMonthName(month));
  EXPECT_EQ(months, (std::vector<std::string>{"", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
                                              "Aug", "Sep", "Oct", "Nov", "Dec", ""}));
  EXPECT_EQ(plain.compare("files", "Files"), 0);
  EXPECT_LT(plain.compare("alpha", "Beta"), 0);
  EXPECT_GT(plain.compare("Beta", "alpha"), 0);
  EXPECT_LT(plain.compare("Edit", "Editor"), 0);
  // Without a language to go by, a letter outside ASCII comes after every ASCII one.
  EXPECT_GT(plain.compare("\xC3\x89"
                          "cran",
                          "zsh"),
            0);
}

TEST(LocaleTest, InstalledApplicationsAreListedInTheLocalesOrderWhateverTheScanGave) {
  test::SimWorld world;
  world.sim.installedApps.setApps({{Uuid(), "Files", "files", std::nullopt},
                                   {Uuid(),
                                    "\xC3\x89"
                                    "cran",
                                    "ecran", std::nullopt},
                                   {Uuid(), "Dolphin", "dolphin", std::nullopt},
                                   {Uuid(), "Unlisted", "unlisted", std::nullopt}});
  const TableLocale french({{"Dolphin", 1},
                            {"\xC3\x89"
                             "cran",
                             2},
                            {"Files", 3}});
  InstalledAppsCache cache{world.sim.installedApps, world.sim.background, french};
  std::vector<std::string> names;
  for (const AppInfo& app : cache.loadNow())
    names.push_back(app.bundleIdentifier);
  EXPECT_EQ(names, (std::vector<std::string>{"dolphin", "ecran", "files", "unlisted"}));
}

}  // namespace
}  // namespace dovrik
