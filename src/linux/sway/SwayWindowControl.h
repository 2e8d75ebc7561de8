// The mirror's requests carried out over sway's IPC socket: a window is placed by making it
// floating and landing its frame in one command (sway keeps tiled windows where its layout
// puts them), and focused by its container id. sway has no way to tell where the pointer is.
#pragma once

#include <functional>
#include <string>

#include "linux/i3ipc/I3Client.h"
#include "linux/mirror/WindowControl.h"

namespace dovrik::sway {

class SwayWindowControl : public mirror::WindowControl {
 public:
  // `refused` runs when sway did not carry a request out, so that the mirror is read again and
  // no frame taken for granted stays in it.
  SwayWindowControl(i3ipc::I3Client& client, std::function<void()> refused)
      : client_(client), refused_(std::move(refused)) {}

  void setFrame(const std::string& id, const Rect& frame) override;
  void activate(const std::string& id) override;
  void askForCursor() override {}

 private:
  void run(const std::string& command);

  i3ipc::I3Client& client_;
  std::function<void()> refused_;
};

}  // namespace dovrik::sway
