// A fixture whose tests share one sway session, started for the fixture and stopped after its
// last test. Tests are skipped where sway is missing.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "Await.h"
#include "SwaySession.h"
#include "SwayTree.h"

namespace dovrik::swaytest {

class SwayTest : public testing::Test {
 public:
  static void SetUpTestSuite() {
    if (!SwaySession::unavailable())
      session_ = std::make_unique<SwaySession>();
  }
  static void TearDownTestSuite() { session_.reset(); }

 protected:
  void SetUp() override {
    if (const auto reason = SwaySession::unavailable())
      GTEST_SKIP() << *reason;
    ASSERT_TRUE(session_) << "the sway session did not start";
  }
  static SwaySession& session() { return *session_; }
  // Waits until sway's tree holds a window titled `title`.
  static std::optional<SwayWindow> awaitWindow(const std::string& title) {
    std::optional<SwayWindow> window;
    sessiontest::await(
        [&] { return (window = windowTitled(session().message("get_tree"), title)).has_value(); },
        std::chrono::seconds(10));
    return window;
  }

 private:
  static inline std::unique_ptr<SwaySession> session_;
};

}  // namespace dovrik::swaytest
