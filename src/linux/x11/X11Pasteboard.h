// The clipboard on X11 over our own connection. XFixes tells of every new owner of CLIPBOARD;
// the adapter then fetches the targets and the text into a cache, and counts the change and
// raises `changed` only once that content is in hand, so that a reader of the count never
// sees the previous owner's content under the new count. An owner that does not answer is
// given up after a bound, and the loop never waits for one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/Background.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/clipboard/ClipboardChanges.h"
#include "linux/x11/SelectionAtoms.h"
#include "linux/x11/SelectionReader.h"
#include "linux/x11/SelectionServer.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11Pasteboard : public Pasteboard {
 public:
  // `ownerOf` names the application behind an owner window; without it no owner is known.
  using OwnerLookup = std::function<PasteboardOwner(xcb_window_t)>;
  X11Pasteboard(XConnection& x, Scheduler& mainQueue, Background& background,
                OwnerLookup ownerOf = nullptr);
  X11Pasteboard(const X11Pasteboard&) = delete;
  X11Pasteboard& operator=(const X11Pasteboard&) = delete;
  ~X11Pasteboard() override;

  ChangeCount changeCount() const override { return changes_.count(); }
  std::vector<std::string> types() const override { return content_.types; }
  std::optional<std::string> text() const override { return content_.text; }
  std::vector<PasteboardRepresentation> formats() const override { return content_.formats; }
  PasteboardOwner owner() const override { return content_.owner; }
  void readPNG(std::function<void(std::optional<Bytes>)> done) override;
  ChangeCount writeText(const std::string& text, bool alsoPrimary) override;
  std::optional<ChangeCount> writePNG(const Bytes& png, bool alsoPrimary) override;
  ChangeCount writeRepresentations(const std::vector<PasteboardRepresentation>& representations,
                                   bool alsoPrimary) override;

  // Our window, which owns what Dovrik writes and receives what it reads.
  xcb_window_t window() const { return window_; }

 private:
  struct Content {
    std::vector<std::pair<xcb_atom_t, std::string>> targets;
    std::vector<std::string> types;
    std::optional<std::string> text;
    std::vector<PasteboardRepresentation> formats;
    std::optional<Bytes> png;  // only for content we wrote
    PasteboardOwner owner;
  };

  // Offers `text` under every text target applications ask for.
  void addTextOffers(const std::string& text, std::vector<SelectionServer::Offer>& offers,
                     Content& content) const;
  void onEvent(const xcb_generic_event_t& event);
  void ownerChanged(xcb_window_t owner);
  // The steps of fetching a new owner's content; each drops out once `generation` is stale.
  void fetchTargets(ChangeCount generation, xcb_window_t owner);
  void fetchHint(ChangeCount generation, Content content);
  void fetchText(ChangeCount generation, Content content);
  // Reads the kept forms offered with the text, from `keptFormats[next]` on, one at a time.
  void fetchFormats(ChangeCount generation, Content content, std::size_t next);
  // Makes `content` the content of `generation`.
  void publish(ChangeCount generation, Content content);
  // Takes CLIPBOARD (and PRIMARY) with these offers and counts the change as ours.
  ChangeCount own(std::vector<SelectionServer::Offer> offers, Content content, bool alsoPrimary);

  XConnection& x_;
  Scheduler& mainQueue_;
  Background& background_;
  OwnerLookup ownerOf_;
  SelectionAtoms atoms_;
  xcb_window_t window_ = XCB_NONE;
  std::uint8_t ownerEvent_ = 0;
  bool watching_ = false;
  SelectionReader reader_;
  SelectionServer server_;
  Signal<const xcb_generic_event_t&>::Connection subscription_ = 0;

  // Owner changes heard of, ours included, and the one whose content is in `content_`.
  clipboard::ClipboardChanges changes_;
  Content content_;
  // Our own takeovers of CLIPBOARD whose owner notice is still to come: they were counted
  // when written.
  int ownNoticesDue_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik::x11
