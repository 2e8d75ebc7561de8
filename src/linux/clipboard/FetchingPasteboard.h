// The part of a clipboard adapter that every desktop whose clipboard is read type by type
// shares: the content in hand, fetched from its owner after each change (the password
// manager's hint, the text, the kept formats) and counted only once it is in hand, so that a
// reader of the count never sees the previous content under the new count. The desktop's
// adapter hears of the changes and carries the bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/clipboard/ClipboardChanges.h"

namespace dovrik::clipboard {

class FetchingPasteboard : public Pasteboard {
 public:
  FetchingPasteboard(const FetchingPasteboard&) = delete;
  FetchingPasteboard& operator=(const FetchingPasteboard&) = delete;

  // The application of the active window, taken as the owner of each new content: the
  // desktops that hand the clipboard over type by type do not name the client that set it.
  void setActiveApplication(std::function<PasteboardOwner()> activeApplication) {
    activeApplication_ = std::move(activeApplication);
  }

  ChangeCount changeCount() const override { return changes_.count(); }
  std::vector<std::string> types() const override { return content_.types; }
  std::optional<std::string> text() const override { return content_.text; }
  std::vector<PasteboardRepresentation> formats() const override { return content_.formats; }
  PasteboardOwner owner() const override { return content_.owner; }
  void readPNG(std::function<void(std::optional<Bytes>)> done) override;

 protected:
  struct Content {
    std::vector<std::string> types;
    std::optional<std::string> text;
    std::vector<PasteboardRepresentation> formats;
    std::optional<Bytes> png;  // only for content we wrote
    PasteboardOwner owner;
  };
  using Received = std::function<void(std::optional<std::string>)>;

  // The most bytes of one type read from an owner: more is taken as none.
  static constexpr std::size_t readLimit = 64u << 20;

  FetchingPasteboard(Scheduler& mainQueue, Background& background);
  ~FetchingPasteboard() override = default;

  // Asks the owner of the current content for its bytes of `type`. `done` runs later on the
  // main queue, with nothing when they cannot be had or are more than `limit`.
  virtual void receive(const std::string& type, std::size_t limit, Received done) = 0;

  // The owner of a new content, as far as it is known.
  PasteboardOwner activeOwner() const {
    return activeApplication_ ? activeApplication_() : PasteboardOwner{};
  }
  // A change was heard of: answers its generation, which makes every earlier one stale.
  ChangeCount notice() { return changes_.notice(); }
  ChangeCount noticed() const { return changes_.noticed(); }
  // Fetches what the history takes of `content`, whose types and owner are known, then makes
  // it the content of `generation`; drops out once a newer change is heard of.
  void fetch(ChangeCount generation, Content content);
  // Makes `content` the content of `generation` as it is.
  void publish(ChangeCount generation, Content content);

 private:
  void fetchHint(ChangeCount generation, Content content);
  void fetchText(ChangeCount generation, Content content);
  // Reads the kept forms offered with the text, from `keptFormats[next]` on, one at a time.
  void fetchFormats(ChangeCount generation, Content content, std::size_t next);
  // `receive`, with `done` dropped when it comes after this adapter is gone.
  void receiveGuarded(const std::string& type, std::size_t limit, Received done);

  Scheduler& mainQueue_;
  Background& background_;
  std::function<PasteboardOwner()> activeApplication_;
  // Changes heard of, ours included, and the one whose content is in `content_`.
  ClipboardChanges changes_;
  Content content_;
  Lifetime lifetime_;
};

}  // namespace dovrik::clipboard
