// An in-memory file system for tests.
#include "sim/SimFiles.h"

#include <algorithm>
#include <string>

namespace dovrik::sim {

namespace {

bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
  const auto mismatch = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return mismatch.first == folder.end() && path != folder;
}

}  // namespace

bool SimFiles::existsLocked(const std::filesystem::path& path) const {
  return files_.contains(path) || directories_.contains(path);
}

void SimFiles::addDirectoriesLocked(const std::filesystem::path& path, unsigned mode) {
  for (auto folder = path; !folder.empty() && folder != folder.root_path();
       folder = folder.parent_path())
    directories_.emplace(folder, mode);
}

bool SimFiles::exists(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  return existsLocked(path);
}

bool SimFiles::isDirectory(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  return directories_.contains(path);
}

bool SimFiles::createDirectory(const std::filesystem::path& path, unsigned mode) {
  std::lock_guard lock(mutex_);
  if (files_.contains(path))
    return false;
  addDirectoriesLocked(path, mode);
  return true;
}

bool SimFiles::move(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::lock_guard lock(mutex_);
  if (!existsLocked(from) || existsLocked(to))
    return false;
  auto rebase = [&](const std::filesystem::path& p) {
    return p == from ? to : to / p.lexically_relative(from);
  };
  std::map<std::filesystem::path, File> files;
  for (auto& [path, file] : files_)
    files.emplace(path == from || isInside(path, from) ? rebase(path) : path, std::move(file));
  std::map<std::filesystem::path, unsigned> directories;
  for (const auto& [path, mode] : directories_)
    directories.emplace(path == from || isInside(path, from) ? rebase(path) : path, mode);
  files_ = std::move(files);
  directories_ = std::move(directories);
  return true;
}

std::optional<Bytes> SimFiles::read(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  const auto found = files_.find(path);
  if (found == files_.end())
    return std::nullopt;
  return found->second.bytes;
}

bool SimFiles::writeAtomically(const std::filesystem::path& path, std::string_view contents,
                               unsigned mode) {
  std::lock_guard lock(mutex_);
  if (failWrites || !directories_.contains(path.parent_path()))
    return false;
  ++writes;
  files_[path] = File{Bytes(contents.begin(), contents.end()), mode};
  return true;
}

std::optional<std::filesystem::path> SimFiles::setAside(const std::filesystem::path& path) {
  std::lock_guard lock(mutex_);
  const auto found = files_.find(path);
  if (found == files_.end())
    return std::nullopt;
  auto target = std::filesystem::path(path.string() + ".unreadable");
  for (int n = 2; existsLocked(target); ++n)
    target = path.string() + ".unreadable-" + std::to_string(n);
  files_[target] = std::move(found->second);
  files_.erase(path);
  return target;
}

void SimFiles::put(const std::filesystem::path& path, const Bytes& bytes, unsigned mode) {
  std::lock_guard lock(mutex_);
  addDirectoriesLocked(path.parent_path(), 0755);
  files_[path] = File{bytes, mode};
}

std::optional<SimFiles::File> SimFiles::file(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  const auto found = files_.find(path);
  if (found == files_.end())
    return std::nullopt;
  return found->second;
}

std::optional<unsigned> SimFiles::directoryMode(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  const auto found = directories_.find(path);
  if (found == directories_.end())
    return std::nullopt;
  return found->second;
}

}  // namespace dovrik::sim
