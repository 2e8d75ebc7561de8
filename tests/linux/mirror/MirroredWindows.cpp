#include "MirroredWindows.h"

namespace dovrik::mirror::test {

MirroredWindow window(const WindowSpec& spec) {
  MirroredWindow w;
  w.id = spec.id;
  w.resourceClass = spec.resourceClass;
  w.resourceName = spec.resourceName;
  w.desktopFileName = spec.desktopFileName;
  // Appended rather than concatenated: GCC 12 warns falsely about a temporary's overlap.
  w.caption = "Title of ";
  w.caption += spec.id;
  w.pid = spec.pid;
  w.frame = spec.frame;
  w.minimized = spec.minimized;
  w.normal = spec.kind == "normal";
  w.dialog = spec.kind == "dialog";
  w.dock = spec.kind == "dock";
  w.desktop = spec.kind == "desktop";
  w.output = "0";
  return w;
}

}  // namespace dovrik::mirror::test
