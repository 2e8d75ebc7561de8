// One user-defaults domain kept in a JSON file, the whole file replaced atomically on every
// change.
//
// The file is a JSON object from key to tagged value (see TaggedJson.h). Values are read once,
// when the object is made, and kept in memory; every change goes to memory first and then to
// the file, so reads through this object always see its writes.
//
// Damage is never fatal and never silently destroys what the user had:
// - A file that cannot be read or is not a JSON object reads as an empty domain, and that is
//   logged. Before the first write would replace it, it is renamed aside to
//   "<file>.unreadable-<n>" (the lowest free n) and that is logged too.
// - An entry whose value is not a well-formed tagged value reads as absent (so the caller's
//   default applies) and is logged, but it is written back unchanged until its key is set or
//   removed, so a hand edit or a value from a newer Dovrik survives.
// - A write that fails leaves the previous file as it was and is logged; the value still reads
//   back in this process, and the next change writes everything again.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/platform/Defaults.h"
#include "linux/files/DomainDocument.h"

namespace dovrik::files {

class FileDefaults : public Defaults {
 public:
  // Receives one line for the system log.
  using Log = std::function<void(const std::string& line)>;
  enum class Loaded { missing, ok, unreadable };

  FileDefaults(std::filesystem::path file, Log log);

  // What was found on disk when the object was made.
  Loaded loaded() const { return loaded_; }

  std::optional<DefaultsValue> object(std::string_view key) const override;
  void set(std::string_view key, DefaultsValue value) override;
  void remove(std::string_view key) override;
  std::vector<std::string> keys() const override;

 private:
  void load();
  void save();
  bool moveUnreadableFileAside();

  std::filesystem::path file_;
  Log log_;
  Loaded loaded_ = Loaded::missing;
  DomainDocument document_;
  bool unreadableFileInPlace_ = false;
};

}  // namespace dovrik::files
