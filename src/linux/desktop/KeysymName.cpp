#include "linux/desktop/KeysymName.h"

namespace dovrik::desktop {

std::string keysymName(Key key) {
  switch (key) {
    case Key::leftArrow:
      return "Left";
    case Key::rightArrow:
      return "Right";
    case Key::upArrow:
      return "Up";
    case Key::downArrow:
      return "Down";
    case Key::backspace:
      return "BackSpace";
    default:
      return std::string(
          1, static_cast<char>('a' + (static_cast<int>(key) - static_cast<int>(Key::a))));
  }
}

}  // namespace dovrik::desktop
