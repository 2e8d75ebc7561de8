// A fixture whose tests share one KWin session, started for the fixture and stopped after its
// last test: starting KWin is the expensive part. Tests are skipped where KWin is missing.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "KWinSession.h"
#include "TestClients.h"

namespace dovrik::kwintest {

class KWinTest : public testing::Test {
 public:
  static void SetUpTestSuite() { startSession(); }
  static void TearDownTestSuite() { session_.reset(); }

 protected:
  // A fixture whose programs use fake input names them in a SetUpTestSuite of its own that
  // calls this; the key injector may always use it.
  static void startSession(std::vector<std::string> fakeInputPrograms = {}) {
    if (KWinSession::unavailable())
      return;
    fakeInputPrograms.push_back(keyInjector());
    session_ = std::make_unique<KWinSession>(fakeInputPrograms);
  }
  void SetUp() override {
    if (const auto reason = KWinSession::unavailable())
      GTEST_SKIP() << *reason;
    ASSERT_TRUE(session_) << "the KWin session did not start";
  }
  static KWinSession& session() { return *session_; }

 private:
  static inline std::unique_ptr<KWinSession> session_;
};

}  // namespace dovrik::kwintest
