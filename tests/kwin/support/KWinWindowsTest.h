// A KWin fixture whose tests read and place the session's windows through KWin scripts, and
// whose clients are stopped after each test.
#pragma once

#include <memory>
#include <vector>

#include "KWinTest.h"
#include "KWinWindows.h"

namespace dovrik::kwintest {

class KWinWindowsTest : public KWinTest {
 protected:
  void SetUp() override {
    KWinTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    scripts_ = std::make_unique<KWinScripts>(session());
    windows_ = std::make_unique<KWinWindows>(*scripts_);
  }
  void TearDown() override {
    windows_.reset();
    scripts_.reset();
    for (auto& client : clients_)
      client->stop();
  }
  KWinWindows& windows() { return *windows_; }
  KWinScripts& scripts() { return *scripts_; }

  std::vector<std::unique_ptr<ChildProcess>> clients_;

 private:
  std::unique_ptr<KWinScripts> scripts_;
  std::unique_ptr<KWinWindows> windows_;
};

}  // namespace dovrik::kwintest
