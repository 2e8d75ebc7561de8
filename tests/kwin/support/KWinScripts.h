// Runs JavaScript inside the session's KWin and answers what it returns: the script hands its
// result to this process over D-Bus (callDBus), since KWin scripts have no other way out.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "KWinSession.h"

namespace dovrik::kwintest {

class ScriptResults;

class KWinScripts {
 public:
  explicit KWinScripts(const KWinSession& session);
  KWinScripts(const KWinScripts&) = delete;
  KWinScripts& operator=(const KWinScripts&) = delete;
  ~KWinScripts();

  // Runs `body`, the body of a JavaScript function, in KWin and answers the value it returns
  // (turned to JSON and back); nothing when the script failed, threw or did not answer within
  // `timeout`. KWin 5 and 6 name their API differently; the body may test for either.
  std::optional<nlohmann::json> evaluate(
      const std::string& body, std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Loads `body` as a script that stays in KWin while this object lives, for watching: it may
  // call report(token, value) whenever it likes, and reported(token) answers the last value
  // so reported. False when KWin did not run it.
  bool keep(const std::string& body);
  std::optional<nlohmann::json> reported(const std::string& token);
  // What the last failed evaluation said: KWin's refusal or the script's exception.
  const std::string& lastError() const { return lastError_; }
  // Loads the script at `path` under `name` and runs it; it stays, its handlers connected, until
  // KWin's /Scripting unloads it by that name.
  bool loadAndRun(const std::string& path, const std::string& name);
  void unload(const std::string& name);

 private:
  const KWinSession& session_;
  std::unique_ptr<ScriptResults> results_;
  int scripts_ = 0;
  std::string lastError_;
  std::vector<std::string> kept_;
  std::map<std::string, nlohmann::json> reports_;
};

}  // namespace dovrik::kwintest
