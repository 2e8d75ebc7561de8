// Desktop shell services on Linux: addresses open in the user's default handler, files are
// shown through the file manager's D-Bus interface, the alert sound, and log lines for the
// journal.
#pragma once

#include <cstdio>
#include <string>

#include "core/platform/Shell.h"

namespace dovrik::qt {

class QtShell : public Shell {
 public:
  // The streams are those of the process unless a caller (a test) gives its own.
  explicit QtShell(std::FILE* out = stdout, std::FILE* err = stderr);

  void openURL(const std::string& url) override;
  void revealInFileManager(const std::string& fileURL) override;
  // The X server's bell (Qt's xcb platform rings it with XBell).
  void beep() override;
  // To standard error (what a session manager or systemd unit keeps in the journal) and to
  // syslog, both with the line exactly as given.
  void systemLog(const std::string& line) override;
  void printLine(const std::string& line) override;

 private:
  std::FILE* out_;
  std::FILE* err_;
};

}  // namespace dovrik::qt
