// One user-defaults domain kept in a JSON file, the whole file replaced atomically on every
// change.
#include "linux/files/FileDefaults.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "linux/files/FileIo.h"
#include "linux/files/TaggedJson.h"

namespace dovrik::files {
namespace {

namespace fs = std::filesystem;

// Deeper documents are refused whole: writing one back would recurse that deep. A value needs
// two levels per nesting (the tag object and its content), so this leaves room for 500.
constexpr int maxJsonDepth = 1000;

std::optional<Json> parseObject(const std::string& text) {
  bool tooDeep = false;
  Json document = Json::parse(
      text,
      [&](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth > maxJsonDepth) {
          tooDeep = true;
          return false;
        }
        return true;
      },
      false);
  if (tooDeep || !document.is_object())
    return std::nullopt;
  return document;
}

}  // namespace

FileDefaults::FileDefaults(fs::path file, Log log) : file_(std::move(file)), log_(std::move(log)) {
  load();
}

void FileDefaults::load() {
  const FileRead read = readWholeFile(file_);
  if (read.status == FileRead::Status::missing)
    return;
  if (read.status == FileRead::Status::failed) {
    loaded_ = Loaded::unreadable;
    unreadableFileInPlace_ = true;
    log_("[Dovrik] settings file unreadable, using defaults: " + read.error);
    return;
  }
  const std::optional<Json> document = parseObject(read.contents);
  if (!document) {
    loaded_ = Loaded::unreadable;
    unreadableFileInPlace_ = true;
    log_("[Dovrik] settings file " + file_.string() + " is not valid, using defaults");
    return;
  }
  loaded_ = Loaded::ok;
  for (const auto& [key, json] : document->items()) {
    if (auto value = fromTaggedJson(json)) {
      values_.insert_or_assign(key, std::move(*value));
    } else {
      undecodable_.insert_or_assign(key, json);
      log_("[Dovrik] settings file " + file_.string() + ": ignoring the unreadable value of \"" +
           key + "\"");
    }
  }
}

std::optional<DefaultsValue> FileDefaults::object(std::string_view key) const {
  const auto it = values_.find(key);
  if (it == values_.end())
    return std::nullopt;
  return it->second;
}

void FileDefaults::set(std::string_view key, DefaultsValue value) {
  std::string name = asUnicodeText(key);
  if (const auto it = undecodable_.find(name); it != undecodable_.end())
    undecodable_.erase(it);
  values_.insert_or_assign(std::move(name), withUnicodeText(std::move(value)));
  save();
}

void FileDefaults::remove(std::string_view key) {
  const auto value = values_.find(key);
  const auto raw = undecodable_.find(key);
  if (value == values_.end() && raw == undecodable_.end())
    return;
  if (value != values_.end())
    values_.erase(value);
  if (raw != undecodable_.end())
    undecodable_.erase(raw);
  save();
}

std::vector<std::string> FileDefaults::keys() const {
  std::vector<std::string> result;
  result.reserve(values_.size());
  for (const auto& [key, value] : values_)
    result.push_back(key);
  return result;
}

void FileDefaults::save() {
  if (unreadableFileInPlace_ && !moveUnreadableFileAside())
    return;
  std::map<std::string, Json, std::less<>> entries = undecodable_;
  for (const auto& [key, value] : values_)
    entries.insert_or_assign(key, toTaggedJson(value));
  Json document = Json::object();
  for (auto& [key, json] : entries)
    document[key] = std::move(json);
  if (auto error = writeFileAtomically(file_, document.dump(2) + "\n", 0600))
    log_("[Dovrik] could not save settings: " + *error);
}

// Keeps the damaged file for the user (or a later, wiser version) under a name of its own.
bool FileDefaults::moveUnreadableFileAside() {
  std::error_code error;
  fs::path aside;
  for (int n = 1;; ++n) {
    aside = file_;
    aside += ".unreadable-" + std::to_string(n);
    if (!fs::exists(fs::symlink_status(aside, error)))
      break;
  }
  if (std::rename(file_.c_str(), aside.c_str()) == 0) {
    // It may hold what the user had; whatever its mode was, only they may read it now.
    ::chmod(aside.c_str(), 0600);
    log_("[Dovrik] kept the unreadable settings file as " + aside.string());
  } else if (errno != ENOENT) {
    log_("[Dovrik] could not save settings: cannot move the unreadable " + file_.string() +
         " aside: " + std::generic_category().message(errno));
    return false;
  }
  unreadableFileInPlace_ = false;
  return true;
}

}  // namespace dovrik::files
