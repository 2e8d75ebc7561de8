// Dovrik's updater: checks the release feed once a day while automatic checks are on and
// whenever the user asks, tells the user about a newer version and installs it only when asked,
// then relaunches. Where this copy may not replace itself it only tells.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/Clock.h"
#include "core/platform/Defaults.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/platform/UpdateService.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/update/UpdatePrompt.h"

namespace dovrik {

class UpdateManager {
 public:
  static constexpr std::string_view automaticChecksKey = "SUEnableAutomaticChecks";
  static constexpr std::string_view lastCheckKey = "SULastCheckTime";
  static constexpr double checkInterval = 24 * 60 * 60;
  static constexpr std::string_view scheduledFailurePrefix =
      "[Dovrik] scheduled update check failed: ";

  // The ports the checks are scheduled, remembered and announced with.
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    DefaultsDomains& defaults;
    Shell& shell;
    Lifecycle& lifecycle;
  };

  // `currentVersion` is the running release ("1.4.2").
  UpdateManager(Ports ports, UpdateService& service, std::string currentVersion);
  UpdateManager(const UpdateManager&) = delete;
  UpdateManager& operator=(const UpdateManager&) = delete;
  ~UpdateManager();

  // Starts the schedule: a check now when the last one is a day old or there was none.
  void start();

  // False without a feed, and while a check or an installation runs.
  bool canCheckForUpdates() const;
  // Why a check cannot start now, in a few words for the user; empty while one can.
  std::string cannotCheckReason() const;
  // A check the user asked for: its answer is always shown, failures included.
  void checkForUpdates();

  bool automaticallyChecks() const;
  void setAutomaticallyChecks(bool on);
  // Seconds since 2001-01-01 UTC of the last check that reached the feed.
  std::optional<double> lastCheckDate() const;
  // "Not checked yet", or "Last checked 3 hours ago".
  std::string lastCheckText() const;

  // What the update window shows; nothing while it is closed.
  const std::optional<UpdatePrompt>& prompt() const { return prompt_; }
  // "Install and Relaunch": downloads, checks and installs the offered version, then starts it.
  void install();
  // "Later", "OK" or the window closed.
  void dismiss();

  // The prompt, the switch, the last check or whether a check can be made changed.
  Signal<> changed;

 private:
  enum class Origin { scheduled, user };

  void check(Origin origin);
  void finishCheck(Origin origin, const UpdateService::FeedResult& result);
  void scheduleNextCheck();
  void cancelScheduledCheck();
  void show(UpdatePrompt prompt);

  Ports ports_;
  UpdateService& service_;
  std::string currentVersion_;
  bool checking_ = false;
  bool installing_ = false;
  bool started_ = false;
  // When the last check began, reached the feed or not.
  std::optional<double> lastAttempt_;
  std::optional<TaskId> nextCheck_;
  std::optional<AppcastItem> offered_;
  std::optional<UpdatePrompt> prompt_;
  Lifetime lifetime_;
};

}  // namespace dovrik
