// The update feed and installer of tests: each fetch and installation waits until the test
// answers it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/UpdateService.h"

namespace dovrik::sim {

class SimUpdateService : public UpdateService {
 public:
  bool hasFeed() const override { return feedConfigured; }
  InstallKind installKind() const override { return kind; }
  void fetchFeed(std::function<void(FeedResult)> done) override {
    ++fetches;
    pendingFetch_ = std::move(done);
  }
  void install(const AppcastItem& item,
               std::function<void(std::optional<std::string>)> done) override {
    installs.push_back(item);
    pendingInstall_ = std::move(done);
  }

  bool isFetching() const { return pendingFetch_ != nullptr; }
  void answerFetch(FeedResult result) { std::exchange(pendingFetch_, nullptr)(std::move(result)); }
  void answerInstall(std::optional<std::string> error) {
    std::exchange(pendingInstall_, nullptr)(std::move(error));
  }

  // A build without a feed address, as by default.
  bool feedConfigured = false;
  InstallKind kind = InstallKind::perUser;
  int fetches = 0;
  std::vector<AppcastItem> installs;

 private:
  std::function<void(FeedResult)> pendingFetch_;
  std::function<void(std::optional<std::string>)> pendingInstall_;
};

}  // namespace dovrik::sim
