// Labels of the kind filter and which entries each keeps.
#include "core/clipboard/ClipboardFilter.h"

namespace dovrik {

std::string_view label(ClipboardFilter filter) {
  switch (filter) {
    case ClipboardFilter::all:
      return "All";
    case ClipboardFilter::text:
      return "Text";
    case ClipboardFilter::links:
      return "Links";
    case ClipboardFilter::images:
      return "Images";
  }
  return "All";
}

bool keeps(ClipboardFilter filter, ClipboardKind kind) {
  switch (filter) {
    case ClipboardFilter::all:
      return true;
    case ClipboardFilter::text:
      return kind == ClipboardKind::text;
    case ClipboardFilter::links:
      return kind == ClipboardKind::link;
    case ClipboardFilter::images:
      return kind == ClipboardKind::image;
  }
  return true;
}

}  // namespace dovrik
