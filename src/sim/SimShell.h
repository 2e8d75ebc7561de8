// Records what the core asked of the desktop shell and of the login-item service.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/platform/LoginItem.h"
#include "core/platform/Shell.h"

namespace dovrik::sim {

class SimShell : public Shell {
 public:
  void openURL(const std::string& url) override { openedURLs.push_back(url); }
  void revealInFileManager(const std::string& fileURL) override { revealedURLs.push_back(fileURL); }
  void beep() override { ++beeps; }
  void systemLog(const std::string& line) override { logLines.push_back(line); }
  void printLine(const std::string& line) override { printedLines.push_back(line); }

  std::vector<std::string> openedURLs;
  std::vector<std::string> revealedURLs;
  int beeps = 0;
  std::vector<std::string> logLines;
  std::vector<std::string> printedLines;
};

class SimLoginItem : public LoginItem {
 public:
  std::optional<std::string> registerItem() override;
  std::optional<std::string> unregisterItem() override;

  bool registered = false;
  // When set, every call fails with this description.
  std::optional<std::string> failure;
};

}  // namespace dovrik::sim
