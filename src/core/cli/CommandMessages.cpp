// JSON forms of a command request and its outcome. Requests come from any local process that
// can reach the socket, so decoding accepts nothing but the exact shape.
#include "core/cli/CommandMessages.h"

#include <cstdint>

#include "core/support/Json.h"

namespace dovrik::cli {
namespace {

std::optional<Json> parsed(std::string_view line) {
  Json json = Json::parse(line, nullptr, false);
  if (json.is_discarded() || !json.is_object())
    return std::nullopt;
  return json;
}

// Arguments are whatever bytes the user typed; text that is not UTF-8 is written with
// replacement characters instead of failing.
std::string toLine(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A status a process can end with. Any other number would reach the shell cut to its low byte,
// and a failure could end as success.
bool isExitStatus(const Json& json) {
  if (!json.is_number_integer())
    return false;
  const auto status = json.get<std::int64_t>();
  return status >= 0 && status <= 255;
}

}  // namespace

std::string encodeRequest(const std::vector<std::string>& words,
                          const std::string& workingDirectory) {
  Json request{{"args", words}};
  if (!workingDirectory.empty())
    request["cwd"] = workingDirectory;
  return toLine(request);
}

std::optional<Request> decodeRequest(std::string_view line) {
  const auto json = parsed(line);
  if (!json || !json->contains("args") || !(*json)["args"].is_array())
    return std::nullopt;
  Request request;
  for (const Json& word : (*json)["args"]) {
    if (!word.is_string())
      return std::nullopt;
    request.words.push_back(word.get<std::string>());
  }
  if (request.words.empty())
    return std::nullopt;
  if (const auto cwd = json->find("cwd"); cwd != json->end()) {
    if (!cwd->is_string())
      return std::nullopt;
    request.workingDirectory = cwd->get<std::string>();
  }
  return request;
}

std::string encodeOutcome(const CommandOutcome& outcome) {
  return toLine(Json{{"exit", outcome.exitCode}, {"stdout", outcome.out}, {"stderr", outcome.err}});
}

std::optional<CommandOutcome> decodeOutcome(std::string_view line) {
  const auto json = parsed(line);
  if (!json)
    return std::nullopt;
  const auto exit = json->find("exit");
  const auto out = json->find("stdout");
  const auto err = json->find("stderr");
  if (exit == json->end() || !isExitStatus(*exit) || out == json->end() || !out->is_string() ||
      err == json->end() || !err->is_string())
    return std::nullopt;
  return CommandOutcome{exit->get<int>(), out->get<std::string>(), err->get<std::string>()};
}

}  // namespace dovrik::cli
