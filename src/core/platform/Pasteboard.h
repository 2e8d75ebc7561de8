// The system clipboard as the history needs it: change notices with a counter, the types of
// the current content, its text or image, and writes of one entry back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DefaultsValue.h"
#include "core/support/Signal.h"

namespace dovrik {

using ChangeCount = std::int64_t;

// The type an adapter adds to `types()` when the owner marks its content as secret in its own
// platform's way (on Linux the target "x-kde-passwordManagerHint" holding "secret"), so the
// core has one rule for every password manager.
inline constexpr std::string_view concealedContentType = "org.nspasteboard.ConcealedType";

// The type of plain UTF-8 text among several representations.
inline constexpr std::string_view plainTextType = "text/plain;charset=utf-8";

// One form of the content being written: its type identifier (a MIME type on Linux) and bytes.
struct PasteboardRepresentation {
  std::string type;
  std::string bytes;
  friend bool operator==(const PasteboardRepresentation&,
                         const PasteboardRepresentation&) = default;
};

// The application that owned the clipboard when its content changed, as far as the platform
// can tell; a part it cannot tell is empty.
struct PasteboardOwner {
  std::string desktopName;  // its desktop file's ID, "org.keepassxc.KeePassXC"
  std::string windowClass;  // its windows' class, "KeePassXC"
  friend bool operator==(const PasteboardOwner&, const PasteboardOwner&) = default;
};

class Pasteboard {
 public:
  virtual ~Pasteboard() = default;

  // Increases by one with every change of the clipboard's owner or content, ours included.
  virtual ChangeCount changeCount() const = 0;

  // Type identifiers (MIME targets on Linux) of the current content.
  virtual std::vector<std::string> types() const = 0;
  // The current plain text, with invalid UTF-8 replaced; nothing when there is none.
  virtual std::optional<std::string> text() const = 0;
  // The content's `keptFormats` (KeptFormats.h), read along with its text and in hand as soon
  // as the text is; a form over its bound is left out. Empty when there is no text.
  virtual std::vector<PasteboardRepresentation> formats() const = 0;
  // PNG bytes of the current image: as they are when the owner offers PNG, otherwise converted
  // off the main thread. `done` runs later on the main queue, with nothing when there is no
  // image or it cannot be converted. An owner may take long to answer, hence the callback.
  virtual void readPNG(std::function<void(std::optional<Bytes>)> done) = 0;

  // Replace the content with a text, or with an image given as PNG bytes. `alsoPrimary` makes
  // Dovrik own the primary selection too, for applications that paste from it. Each answers
  // the change count the write produced, so the caller can tell its own write from a copy;
  // `writePNG` answers nothing, and changes nothing, when the bytes are not a readable image.
  virtual ChangeCount writeText(const std::string& text, bool alsoPrimary) = 0;
  virtual std::optional<ChangeCount> writePNG(const Bytes& png, bool alsoPrimary) = 0;
  // Replaces the content with several forms of one thing at once (a file as a URL list and as
  // its path), so each application takes the form it understands. A `plainTextType` form is
  // also the content's text, under every text type the platform knows.
  virtual ChangeCount writeRepresentations(
      const std::vector<PasteboardRepresentation>& representations, bool alsoPrimary) = 0;

  // The owner of the current content, found out together with its types, so it belongs to the
  // same change count.
  virtual PasteboardOwner owner() const = 0;
  // Whether the history keeps nothing of what this owner copies: the adapter then fetches no
  // text of that content. Empty: every owner's text is fetched.
  std::function<bool(const PasteboardOwner&)> keepsNothingOf;

  // Raised on the main queue after changes, with the change count now. Several changes in a
  // quick row may be reported once, with the latest count.
  Signal<ChangeCount> changed;
  // Raised on the main queue when an application has taken the content Dovrik wrote, in one
  // of its forms (asking only which forms there are does not count). An adapter that cannot
  // tell never raises it, so whoever waits for it waits with a bound.
  Signal<> contentTaken;
};

}  // namespace dovrik
