// Dovrik's GNOME Shell extension as the user's session has it: installed for everyone (the
// package) or for this user (a copy Dovrik writes), turned on, loaded by the running Shell. A
// Shell loads an extension added while it runs only at the next login.
#pragma once

#include <QDBusConnection>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dovrik::gnome {

enum class ExtensionState {
  off,         // not installed, or not turned on
  needsLogin,  // turned on, but the running Shell has not loaded it
  failed,      // the Shell tried and could not run it, or finds it made for another version
  running,     // the Shell runs it
};

class GnomeExtensionSetup {
 public:
  // `dataHome` is $XDG_DATA_HOME, `dataDirs` the entries of $XDG_DATA_DIRS, where a package
  // installs the extension for everyone.
  GnomeExtensionSetup(QDBusConnection connection, std::filesystem::path dataHome,
                      std::vector<std::filesystem::path> dataDirs);

  ExtensionState state() const;
  // Writes the user's copy unless a package installed it for everyone, and turns it on: in
  // the running Shell when it knows the extension, otherwise in GNOME's settings for the next
  // login. Answers the state after, or why it could not.
  ExtensionState enable(std::string* error = nullptr);

 private:
  bool installedForEveryone() const;
  // The Shell's major version; nothing when it does not say.
  std::optional<int> shellMajorVersion() const;
  std::optional<std::string> writeUserCopy() const;
  bool addToEnabledExtensions() const;

  QDBusConnection connection_;
  std::filesystem::path dataHome_;
  std::vector<std::filesystem::path> dataDirs_;
};

}  // namespace dovrik::gnome
