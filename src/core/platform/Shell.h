// Small services of the desktop shell: opening addresses, showing a file in the file manager,
// the alert sound, log lines.
#pragma once

#include <string>

namespace dovrik {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the address with its default handler; a file URL opens in its default application.
  virtual void openURL(const std::string& url) = 0;
  // Opens the file manager on the folder holding the file or folder at `fileURL`, with it
  // selected where the file manager can.
  virtual void revealInFileManager(const std::string& fileURL) = 0;
  virtual void beep() = 0;
  // A line for the system log.
  virtual void systemLog(const std::string& line) = 0;
  // A line on standard output.
  virtual void printLine(const std::string& line) = 0;
};

}  // namespace dovrik
