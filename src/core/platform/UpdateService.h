// Getting updates: reading the release feed, and replacing this copy of Dovrik with a
// downloaded release after checking it. Both run off the main thread and report on the main
// queue.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/AppcastItem.h"

namespace dovrik {

class UpdateService {
 public:
  // Where this copy lives decides whether it may replace itself.
  enum class InstallKind {
    // A copy of the user's own (~/.local/bin): it replaces itself.
    perUser,
    // Installed by the system's package manager, which alone updates it.
    packaged,
    // Anywhere else, such as a build folder: told about new versions, never replaced.
    unmanaged,
  };

  struct FeedResult {
    std::vector<AppcastItem> items;
    // Empty when the feed was read; else why it could not be, in plain words.
    std::string error;
  };

  virtual ~UpdateService() = default;

  // Whether this build knows a feed to check at all.
  virtual bool hasFeed() const = 0;
  virtual InstallKind installKind() const = 0;
  // Fetches and reads the feed.
  virtual void fetchFeed(std::function<void(FeedResult)> done) = 0;
  // Downloads the item's file next to the program, checks its length and signature, and puts
  // it in the program's place in one step; `done` gets nothing on success, else why not. The
  // program is left byte for byte as it was on any failure.
  virtual void install(const AppcastItem& item,
                       std::function<void(std::optional<std::string> error)> done) = 0;
};

}  // namespace dovrik
