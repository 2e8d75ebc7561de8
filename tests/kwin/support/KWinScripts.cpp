// Loading a script into KWin over D-Bus and collecting its answer.
#include "KWinScripts.h"

#include <filesystem>
#include <fstream>
#include <map>

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVirtualObject>

#include "Await.h"

namespace dovrik::kwintest {

namespace {

constexpr const char* resultService = "org.dovrik.KWinTest";
constexpr const char* resultPath = "/Results";
constexpr const char* resultInterface = "org.dovrik.KWinTest";

}  // namespace

// The object scripts report to: report(token, json). QtDBus may call it on its own thread.
class ScriptResults : public QDBusVirtualObject {
 public:
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const auto args = message.arguments();
    if (message.member() != "report" || args.size() != 2)
      return false;
    {
      std::lock_guard lock(mutex_);
      results_[args[0].toString().toStdString()] = args[1].toString().toStdString();
    }
    connection.send(message.createReply());
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  std::optional<std::string> take(const std::string& token) {
    std::lock_guard lock(mutex_);
    const auto found = results_.find(token);
    if (found == results_.end())
      return std::nullopt;
    std::string result = found->second;
    results_.erase(found);
    return result;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::string> results_;
};

KWinScripts::KWinScripts(const KWinSession& session)
    : session_(session), results_(std::make_unique<ScriptResults>()) {
  auto bus = session_.bus();
  if (!bus.registerService(resultService) || !bus.registerVirtualObject(resultPath, results_.get()))
    throw std::runtime_error("cannot receive script results on the session bus");
}

KWinScripts::~KWinScripts() {
  for (const auto& name : kept_)
    unload(name);
  auto bus = session_.bus();
  bus.unregisterObject(resultPath);
  bus.unregisterService(resultService);
}

std::optional<nlohmann::json> KWinScripts::evaluate(const std::string& body,
                                                    std::chrono::milliseconds timeout) {
  const std::string token = "s" + std::to_string(++scripts_);
  const std::string path = session_.folder() + "/script-" + token + ".js";
  std::ofstream(path)
      << "(function () {\n  var result;\n  try {\n    result = {value: (function () {\n"
      << body
      << "\n    })()};\n  } catch (e) {\n    result = {error: String(e)};\n  }\n"
         "  callDBus(\""
      << resultService << "\", \"" << resultPath << "\", \"" << resultInterface
      << "\", \"report\", \"" << token
      << "\", JSON.stringify(result === undefined ? null : result));\n})();\n";
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::others_read);
  const std::string name = "dovrik-kwintest-" + token;
  std::optional<std::string> answer;
  if (loadAndRun(path, name))
    await([&] { return (answer = results_->take(token)).has_value(); }, timeout);
  unload(name);
  std::filesystem::remove(path);
  if (!answer) {
    if (lastError_.empty())
      lastError_ = "the script did not answer; KWin's log:\n" + session_.kwinLog();
    return std::nullopt;
  }
  const auto result = nlohmann::json::parse(*answer, nullptr, false);
  if (!result.is_object() || !result.contains("value")) {
    lastError_ = result.is_object() && result.contains("error") ? result["error"].dump() : *answer;
    return std::nullopt;
  }
  lastError_.clear();
  return result["value"];
}

bool KWinScripts::keep(const std::string& body) {
  const std::string name = "dovrik-kwintest-kept" + std::to_string(++scripts_);
  const std::string path = session_.folder() + "/" + name + ".js";
  std::ofstream(path) << "function report(token, value) {\n  callDBus(\"" << resultService
                      << "\", \"" << resultPath << "\", \"" << resultInterface
                      << "\", \"report\", token, JSON.stringify(value));\n}\n"
                      << body << "\n";
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::others_read);
  if (!loadAndRun(path, name))
    return false;
  kept_.push_back(name);
  return true;
}

std::optional<nlohmann::json> KWinScripts::reported(const std::string& token) {
  if (const auto latest = results_->take(token))
    reports_[token] = nlohmann::json::parse(*latest, nullptr, false);
  const auto found = reports_.find(token);
  return found == reports_.end() ? std::nullopt : std::optional(found->second);
}

void KWinScripts::unload(const std::string& name) {
  session_.bus().call(QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting",
                                                     "org.kde.kwin.Scripting", "unloadScript")
                      << QString::fromStdString(name));
}

bool KWinScripts::loadAndRun(const std::string& path, const std::string& name) {
  lastError_.clear();
  auto bus = session_.bus();
  const QDBusReply<int> id =
      bus.call(QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting",
                                              "org.kde.kwin.Scripting", "loadScript")
               << QString::fromStdString(path) << QString::fromStdString(name));
  if (!id.isValid() || id.value() < 0) {
    lastError_ = "KWin did not load the script: " + id.error().message().toStdString();
    return false;
  }
  // KWin 5 puts a loaded script at /<id>, KWin 6 at /Scripting/Script<id>.
  for (const QString& object :
       {QString("/%1").arg(id.value()), QString("/Scripting/Script%1").arg(id.value())}) {
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall("org.kde.KWin", object, "org.kde.kwin.Script", "run"));
    if (reply.type() == QDBusMessage::ReplyMessage)
      return true;
    lastError_ += reply.errorMessage().toStdString() + "\n";
  }
  lastError_ = "KWin did not run the script: " + lastError_;
  return false;
}

}  // namespace dovrik::kwintest
