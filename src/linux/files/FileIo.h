// Reading and writing whole files so that a crash never leaves a half-written one behind.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::files {

struct FileRead {
  enum class Status { ok, missing, failed };
  Status status = Status::missing;
  std::string contents;
  // What went wrong, when the status is `failed`.
  std::string error;
};

FileRead readWholeFile(const std::filesystem::path& file);

// Creates `folder` and any missing parents, each new one open to the user only (0700).
// Answers nothing on success, else a description of the failure.
std::optional<std::string> createFolders(const std::filesystem::path& folder);

// Replaces `file` with `contents` and the permissions `mode`: a temporary file in the same
// folder is written and flushed to disk, then renamed over `file`, then the folder is flushed.
// Readers see the old file or the new one, never a part. A symbolic link is written through, so
// it stays a link. Creates the folder when needed. Answers nothing on success, else a
// description of the failure; on failure `file` is untouched and no temporary file remains.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& file,
                                               std::string_view contents, mode_t mode);

// Removes `file`; one that is already gone is not a failure.
std::optional<std::string> removeFile(const std::filesystem::path& file);

}  // namespace dovrik::files
