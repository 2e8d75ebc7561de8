// The update schedule, the choice of the version to offer, and the texts of the update window.
#include "core/update/UpdateManager.h"

#include <algorithm>
#include <utility>

#include "core/model/RelativeTime.h"
#include "core/update/SoftwareVersion.h"

namespace dovrik {
namespace {

constexpr std::string_view kInstallButton = "Install and Relaunch";
constexpr std::string_view kLaterButton = "Later";
constexpr std::string_view kOkButton = "OK";

// The item's version as the feed gives it: the short version, else the build's.
std::string versionOffered(const AppcastItem& item) {
  return item.shortVersion.empty() ? item.buildVersion : item.shortVersion;
}

std::optional<SoftwareVersion> versionOf(const AppcastItem& item) {
  return SoftwareVersion::parse(versionOffered(item));
}

// The newest item newer than `current`. An item whose version cannot be read is never offered,
// and nothing is while the running version itself cannot be read: it might be a downgrade.
std::optional<AppcastItem> newestAfter(const std::vector<AppcastItem>& items,
                                       const std::string& current) {
  const auto running = SoftwareVersion::parse(current);
  if (!running)
    return std::nullopt;
  std::optional<AppcastItem> best;
  std::optional<SoftwareVersion> bestVersion;
  for (const AppcastItem& item : items) {
    const auto version = versionOf(item);
    if (!version || *version <= *running || (bestVersion && *version <= *bestVersion))
      continue;
    best = item;
    bestVersion = version;
  }
  return best;
}

UpdatePrompt answer(UpdatePrompt::Kind kind, std::string title, std::string message) {
  UpdatePrompt prompt;
  prompt.kind = kind;
  prompt.title = std::move(title);
  prompt.message = std::move(message);
  prompt.primaryButton = std::string(kOkButton);
  return prompt;
}

}  // namespace

UpdateManager::UpdateManager(Ports ports, UpdateService& service, std::string currentVersion)
    : ports_(ports), service_(service), currentVersion_(std::move(currentVersion)) {}

UpdateManager::~UpdateManager() {
  cancelScheduledCheck();
}

void UpdateManager::start() {
  started_ = true;
  scheduleNextCheck();
}

bool UpdateManager::canCheckForUpdates() const {
  return service_.hasFeed() && !checking_ && !installing_;
}

std::string UpdateManager::cannotCheckReason() const {
  if (!service_.hasFeed())
    return "This build of Dovrik has no update feed to check.";
  if (installing_)
    return "An update is being installed.";
  if (checking_)
    return "A check for updates is under way.";
  return {};
}

void UpdateManager::checkForUpdates() {
  if (canCheckForUpdates())
    check(Origin::user);
}

bool UpdateManager::automaticallyChecks() const {
  return ports_.defaults.application().boolValue(automaticChecksKey).value_or(true);
}

void UpdateManager::setAutomaticallyChecks(bool on) {
  ports_.defaults.application().set(automaticChecksKey, on);
  scheduleNextCheck();
  changed.emit();
}

std::optional<double> UpdateManager::lastCheckDate() const {
  return ports_.defaults.application().doubleValue(lastCheckKey);
}

std::string UpdateManager::lastCheckText() const {
  const auto last = lastCheckDate();
  if (!last)
    return "Not checked yet";
  return "Last checked " + fullRelativeTimeText(*last, ports_.clock.wallTimeSince2001());
}

void UpdateManager::check(Origin origin) {
  checking_ = true;
  lastAttempt_ = ports_.clock.wallTimeSince2001();
  cancelScheduledCheck();
  changed.emit();
  service_.fetchFeed(lifetime_.guard(
      [this, origin](const UpdateService::FeedResult& result) { finishCheck(origin, result); }));
}

void UpdateManager::finishCheck(Origin origin, const UpdateService::FeedResult& result) {
  checking_ = false;
  if (!result.error.empty()) {
    if (origin == Origin::scheduled)
      ports_.shell.systemLog(std::string(scheduledFailurePrefix) + result.error);
    else
      show(answer(UpdatePrompt::Kind::failed, "Could not check for updates", result.error));
    scheduleNextCheck();
    return;
  }
  ports_.defaults.application().set(lastCheckKey, ports_.clock.wallTimeSince2001());
  scheduleNextCheck();
  offered_ = newestAfter(result.items, currentVersion_);
  if (!offered_) {
    if (origin == Origin::user)
      show(answer(UpdatePrompt::Kind::upToDate, "You're up to date",
                  "Dovrik " + currentVersion_ + " is the newest version available."));
    else
      changed.emit();
    return;
  }
  const std::string news =
      "Dovrik " + versionOffered(*offered_) + " is available — you have " + currentVersion_ + ".";
  UpdatePrompt prompt =
      answer(UpdatePrompt::Kind::available, "A new version of Dovrik is available", news);
  prompt.releaseNotes = offered_->releaseNotes;
  switch (service_.installKind()) {
    case UpdateService::InstallKind::perUser:
      prompt.message += " Would you like to install it now?";
      prompt.primaryButton = std::string(kInstallButton);
      prompt.secondaryButton = std::string(kLaterButton);
      prompt.canInstall = true;
      break;
    case UpdateService::InstallKind::packaged:
      prompt.message +=
          " Your system's package manager installed Dovrik and updates it: update the dovrik "
          "package.";
      break;
    case UpdateService::InstallKind::unmanaged:
      prompt.message +=
          " This copy runs from a place Dovrik does not manage, so it does not replace itself: "
          "install the new version the way you installed this one.";
      break;
  }
  show(std::move(prompt));
}

void UpdateManager::install() {
  if (installing_ || !offered_ || !prompt_ || !prompt_->canInstall)
    return;
  installing_ = true;
  const std::string version = versionOffered(*offered_);
  UpdatePrompt working =
      answer(UpdatePrompt::Kind::installing, "Installing Dovrik " + version + "…",
             "Downloading the update and checking its signature.");
  working.primaryButton.clear();
  show(std::move(working));
  service_.install(*offered_, lifetime_.guard([this, version](std::optional<std::string> error) {
    installing_ = false;
    if (error) {
      show(answer(UpdatePrompt::Kind::failed, "Could not install the update",
                  *error + " Dovrik " + currentVersion_ + " keeps running."));
      return;
    }
    UpdatePrompt done = answer(UpdatePrompt::Kind::installing,
                               "Dovrik " + version + " is installed", "Dovrik starts again now.");
    done.primaryButton.clear();
    show(std::move(done));
    ports_.lifecycle.relaunch();
  }));
}

void UpdateManager::dismiss() {
  if (installing_ || !prompt_)
    return;
  prompt_.reset();
  changed.emit();
}

void UpdateManager::scheduleNextCheck() {
  cancelScheduledCheck();
  if (!started_ || checking_ || !automaticallyChecks() || !service_.hasFeed())
    return;
  // A day after the last check that reached the feed, or after the last attempt, whichever is
  // later: a failing feed is tried once a day, not in a loop.
  std::optional<double> last = lastCheckDate();
  if (lastAttempt_ && (!last || *lastAttempt_ > *last))
    last = lastAttempt_;
  const double now = ports_.clock.wallTimeSince2001();
  const double delay = last ? std::clamp(*last + checkInterval - now, 0.0, checkInterval) : 0;
  nextCheck_ = ports_.scheduler.after(delay, lifetime_.guard([this] {
    nextCheck_.reset();
    check(Origin::scheduled);
  }));
}

void UpdateManager::cancelScheduledCheck() {
  if (nextCheck_)
    ports_.scheduler.cancel(*nextCheck_);
  nextCheck_.reset();
}

void UpdateManager::show(UpdatePrompt prompt) {
  prompt_ = std::move(prompt);
  changed.emit();
}

}  // namespace dovrik
