// The stored form of app rules: what is written, and which inputs the strict reading refuses
// as a whole.
#include <gtest/gtest.h>

#include <string>

#include "core/rules/AppRule.h"

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

TEST(AppRuleTest, OneRecordThatDoesNotDecodeFailsTheWholeList) {
  const auto without = [](const std::string& key) {
    std::string text = kRecord;
    const std::size_t start = text.find("\"" + key + "\"");
    std::size_t end = text.find(',', start);
    if (end == std::string::npos)  // the last key: take the comma before it instead
      return text.erase(start - 1, text.size() - start);
    return text.erase(start, end - start + 1);
  };
  const auto replaced = [](const std::string& from, const std::string& to) {
    std::string text = kRecord;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::vector<std::string> broken = {
      without("id"),
      without("bundleIdentifier"),
      without("appName"),
      without("snapPosition"),
      without("isEnabled") + "}",
      replaced(R"("isEnabled":false)", R"("isEnabled":0)"),
      replaced(R"("Left Half")", R"("left-half")"),
      replaced(R"("appName":"Term")", R"("appName":null)"),
      replaced("0F1E2D3C-", "0F1E2D3C"),
      "7",
  };
  for (const std::string& record : broken) {
    EXPECT_FALSE(decodeAppRules("[" + kRecord + "," + record + "]")) << record;
  }
  EXPECT_FALSE(decodeAppRules(kRecord));  // not an array
  EXPECT_FALSE(decodeAppRules("[" + kRecord));
  EXPECT_FALSE(decodeAppRules(std::string(10000, '[') + std::string(10000, ']')));
}

}  // namespace
}  // namespace dovrik
