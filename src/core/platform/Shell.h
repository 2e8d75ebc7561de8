// Small services of the desktop shell: opening addresses, the alert sound, log lines.
#pragma once

#include <string>

namespace dovrik {

class Shell {
 public:
  virtual ~Shell() = default;
  virtual void openURL(const std::string& url) = 0;
  virtual void beep() = 0;
  // A line for the system log.
  virtual void systemLog(const std::string& line) = 0;
  // A line on standard output.
  virtual void printLine(const std::string& line) = 0;
};

}  // namespace dovrik
