#include "MirroredWindows.h"

namespace dovrik::mirror::test {

MirroredWindow window(const WindowTraits& traits) {
  MirroredWindow w;
  w.id = traits.id;
  w.resourceClass = traits.resourceClass;
  w.resourceName = traits.resourceName;
  w.desktopFileName = traits.desktopFileName;
  // Appended rather than concatenated: GCC 12 warns falsely about a temporary's overlap.
  w.caption = "Title of ";
  w.caption += traits.id;
  w.pid = traits.pid;
  w.frame = traits.frame;
  w.minimized = traits.minimized;
  w.normal = traits.kind == "normal";
  w.dialog = traits.kind == "dialog";
  w.dock = traits.kind == "dock";
  w.desktop = traits.kind == "desktop";
  w.output = "0";
  return w;
}

}  // namespace dovrik::mirror::test
