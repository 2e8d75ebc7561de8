// The ports' requests as commands to Dovrik's KWin script, queued on the bridge.
#pragma once

#include "linux/kwin/KWinBridge.h"
#include "linux/mirror/WindowControl.h"

namespace dovrik::kwin {

class KWinWindowControl : public mirror::WindowControl {
 public:
  explicit KWinWindowControl(KWinBridge& bridge) : bridge_(bridge) {}

  void setFrame(const std::string& id, const Rect& frame) override;
  void activate(const std::string& id) override;
  void askForCursor() override;

 private:
  KWinBridge& bridge_;
};

}  // namespace dovrik::kwin
