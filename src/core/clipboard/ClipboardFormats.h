// The other forms a text entry was copied with (html, an image, file addresses), shared by
// every copy of the entry as its text is, and their stored form.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Pasteboard.h"

namespace dovrik {

class ClipboardFormats {
 public:
  ClipboardFormats() = default;
  ClipboardFormats(std::vector<PasteboardRepresentation> forms);

  bool empty() const { return !forms_ || forms_->empty(); }
  const std::vector<PasteboardRepresentation>& forms() const;

  // One text of data URLs ("data:text/html;base64,…") separated by spaces. A single string,
  // not a nested list, because earlier versions refuse a history file that nests deeper than
  // objects in one array, and they must go on reading the files this version writes.
  std::string encoded() const;
  // Nothing when a piece is not a base64 data URL.
  static std::optional<ClipboardFormats> decode(std::string_view text);

  friend bool operator==(const ClipboardFormats& a, const ClipboardFormats& b) {
    return a.forms_ == b.forms_ || a.forms() == b.forms();
  }

 private:
  std::shared_ptr<const std::vector<PasteboardRepresentation>> forms_;
};

}  // namespace dovrik
