// The stored form of app rules: what is written, and which inputs the strict reading refuses
// as a whole.
#include <gtest/gtest.h>

#include <string>

#include "core/rules/AppRule.h"
#include "tests/unit/support/BrokenRecord.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

const std::string kRecord =
    R"({"id":"0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9","bundleIdentifier":"org.example.Term",)"
    R"("appName":"Term","snapPosition":"Left Half","isEnabled":false})";

TEST(AppRuleTest, WritesEveryKeyInOrderAndReadsItBack) {
  const AppRule rule{*Uuid::fromString("0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"), "org.example.Term",
                     "Term", SnapPosition::leftHalf, false};
  EXPECT_EQ(encodeAppRules({rule}), "[" + kRecord + "]");
  EXPECT_EQ(encodeAppRules({}), "[]");
  EXPECT_EQ(decodeAppRules("[" + kRecord + "]"), std::vector<AppRule>{rule});
  // Keys in any order, unknown keys ignored, a lower-case id accepted.
  EXPECT_EQ(decodeAppRules(R"([{"isEnabled":false,"extra":1,"snapPosition":"Left Half",)"
                           R"("appName":"Term","bundleIdentifier":"org.example.Term",)"
                           R"("id":"0f1e2d3c-4b5a-4978-8695-a4b3c2d1e0f9"}])"),
            std::vector<AppRule>{rule});
}

// One record broken in one way next to an intact one: the whole list fails.
using AppRuleTest = ::testing::TestWithParam<test::BrokenRecord>;

TEST_P(AppRuleTest, OneRecordThatDoesNotDecodeFailsTheWholeList) {
  const std::string record = test::broken(kRecord, GetParam());
  EXPECT_FALSE(decodeAppRules("[" + kRecord + "," + record + "]")) << record;
}

const test::BrokenRecord kBrokenAppRules[] = {
    {"no id", R"("id":"0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9",)", ""},
    {"no bundleIdentifier", R"("bundleIdentifier":"org.example.Term",)", ""},
    {"no appName", R"("appName":"Term",)", ""},
    {"no snapPosition", R"("snapPosition":"Left Half",)", ""},
    {"no isEnabled", R"(,"isEnabled":false)", ""},
    {"isEnabled as a number", R"("isEnabled":false)", R"("isEnabled":0)"},
    {"position as an argument", R"("Left Half")", R"("left-half")"},
    {"appName null", R"("appName":"Term")", R"("appName":null)"},
    {"UUID without a hyphen", "0F1E2D3C-", "0F1E2D3C"},
    {"record not an object", kRecord, "7"},
};
INSTANTIATE_TEST_SUITE_P(Rows, AppRuleTest, ::testing::ValuesIn(kBrokenAppRules), test::RowName{});

TEST(AppRuleTest, TextsThatAreNoListOfRecordsFail) {
  EXPECT_FALSE(decodeAppRules(kRecord));  // not an array
  EXPECT_FALSE(decodeAppRules("[" + kRecord));
  EXPECT_FALSE(decodeAppRules(std::string(10000, '[') + std::string(10000, ']')));
}

}  // namespace
}  // namespace dovrik
