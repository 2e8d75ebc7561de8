// The ports' requests as calls to Dovrik's GNOME Shell extension.
#pragma once

#include "linux/gnome/GnomeShell.h"
#include "linux/mirror/WindowControl.h"

namespace dovrik::gnome {

class GnomeWindowControl : public mirror::WindowControl {
 public:
  explicit GnomeWindowControl(GnomeShell& shell) : shell_(shell) {}

  void setFrame(const std::string& id, const Rect& frame) override { shell_.setFrame(id, frame); }
  void activate(const std::string& id) override { shell_.activate(id); }
  void askForCursor() override { shell_.askForPointer(); }

 private:
  GnomeShell& shell_;
};

}  // namespace dovrik::gnome
