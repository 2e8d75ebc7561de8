// Stored strings of the clipboard entry kinds.
#include "core/clipboard/ClipboardKind.h"

namespace dovrik {

std::string_view rawValue(ClipboardKind kind) {
  switch (kind) {
    case ClipboardKind::text:
      return "text";
    case ClipboardKind::link:
      return "link";
    case ClipboardKind::image:
      return "image";
  }
  return "text";
}

std::optional<ClipboardKind> clipboardKindFromRaw(std::string_view raw) {
  for (const auto kind : {ClipboardKind::text, ClipboardKind::link, ClipboardKind::image})
    if (rawValue(kind) == raw)
      return kind;
  return std::nullopt;
}

}  // namespace dovrik
