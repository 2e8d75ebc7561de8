// Each request as the one script command that carries it out.
#include "linux/kwin/KWinWindowControl.h"

namespace dovrik::kwin {

void KWinWindowControl::setFrame(const std::string& id, const Rect& frame) {
  bridge_.send(SetFrameCommand{id, frame});
}

void KWinWindowControl::activate(const std::string& id) {
  bridge_.send(ActivateCommand{id});
}

void KWinWindowControl::askForCursor() {
  bridge_.send(CursorCommand{});
}

}  // namespace dovrik::kwin
