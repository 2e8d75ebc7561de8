// Labels of the clipboard popup's tabs.
#include "core/clipboard/ClipboardTab.h"

namespace dovrik {

std::string_view label(ClipboardTab tab) {
  return tab == ClipboardTab::fileShelf ? "File Shelf" : "Clipboard";
}

}  // namespace dovrik
