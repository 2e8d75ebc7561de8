// The running Dovrik's own process: ending it, and replacing it with a fresh start of the same
// program.
#pragma once

namespace dovrik {

class Lifecycle {
 public:
  virtual ~Lifecycle() = default;
  // Ends Dovrik once the current turn of the main queue is over, after what waits to be saved
  // has been written.
  virtual void quit() = 0;
  // Starts Dovrik again from the same program and then quits this one; the new one takes over
  // as soon as this one is gone. When the new one cannot be started, this one keeps running and
  // says why in the log.
  virtual void relaunch() = 0;
};

}  // namespace dovrik
