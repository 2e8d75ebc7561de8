// Dovrik's own system-wide hotkeys, which step aside while a shortcut is being recorded so that
// a combination Dovrik already holds reaches the recorder instead of firing.
#pragma once

namespace dovrik {

class OwnHotkeys {
 public:
  virtual ~OwnHotkeys() = default;
  // Calls nest: the hotkeys come back with the last `restore` that matches a `release`.
  virtual void release() = 0;
  virtual void restore() = 0;
  // Between a release and its restore; the registrations say nothing about refusals then.
  virtual bool isReleased() const = 0;
};

}  // namespace dovrik
