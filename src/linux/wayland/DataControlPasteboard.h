// The clipboard on Wayland through the compositor's clipboard-control protocol
// (zwlr_data_control_manager_v1), which tells a client of every selection on a seat without
// it having the keyboard focus. Like the X11 adapter it fetches each new selection's types and
// text into a cache, and counts the change and raises `changed` only once that content is in
// hand. Offers are read through pipes on the loop, never waiting for their owner.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "linux/clipboard/ClipboardChanges.h"
#include "linux/wayland/PipeReader.h"
#include "linux/wayland/PipeWriter.h"
#include "linux/wayland/WaylandConnection.h"

struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;

namespace dovrik::wayland {

class DataControlPasteboard : public Pasteboard {
 public:
  DataControlPasteboard(WaylandConnection& connection, Scheduler& mainQueue,
                        Background& background);
  DataControlPasteboard(const DataControlPasteboard&) = delete;
  DataControlPasteboard& operator=(const DataControlPasteboard&) = delete;
  ~DataControlPasteboard() override;

  // Whether the compositor offers clipboard control on a seat.
  bool isAvailable() const { return device_ != nullptr; }
  // The application of the active window, taken as the owner of each new selection: the
  // protocol does not name the client that set it.
  void setActiveApplication(std::function<PasteboardOwner()> activeApplication) {
    activeApplication_ = std::move(activeApplication);
  }

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

 private:
  struct Content {
    std::vector<std::string> types;
    std::optional<std::string> text;
    std::vector<PasteboardRepresentation> formats;
    std::optional<Bytes> png;  // only for content we wrote
    PasteboardOwner owner;
  };
  using Offers = std::vector<std::pair<std::string, std::shared_ptr<const std::string>>>;
  using Received = std::function<void(std::optional<std::string>)>;
  struct Transfer {
    std::unique_ptr<PipeReader> reader;
    Received done;
  };

  static void addTextOffers(const std::string& text, Offers& offers, Content& content);

  // The compositor's events.
  void offerIntroduced(zwlr_data_control_offer_v1* offer);
  void offerType(zwlr_data_control_offer_v1* offer, const char* type);
  void selectionChanged(zwlr_data_control_offer_v1* offer);
  void primarySelectionChanged(zwlr_data_control_offer_v1* offer);
  void deviceFinished();
  void sendRequested(zwlr_data_control_source_v1* source, const char* type, int fd);
  void sourceCancelled(zwlr_data_control_source_v1* source);

  // The steps of fetching a new selection's content; each drops out once `generation` is stale.
  void fetchHint(ChangeCount generation, Content content);
  void fetchText(ChangeCount generation, Content content);
  // Reads the kept forms offered with the text, from `keptFormats[next]` on, one at a time.
  void fetchFormats(ChangeCount generation, Content content, std::size_t next);
  // Makes `content` the content of `generation`.
  void publish(ChangeCount generation, Content content);
  // Asks the current offer for `type` through a pipe; `done` gets the bytes, or nothing when
  // there are more than `limit`.
  void receive(const std::string& type, Received done, std::size_t limit = PipeReader::sizeLimit);
  // Gives up every transfer under way; their `done` run on the main queue with nothing.
  void abandonTransfers();
  // Drops the readers and writers that are done, outside of their own callbacks.
  void sweepLater();
  // Takes the selection (and the primary one) with these offers and counts the change as ours.
  ChangeCount own(Offers offers, Content content, bool alsoPrimary);
  zwlr_data_control_source_v1* createSource(const Offers& offers, const std::string& marker);
  void bindDevice();
  void releaseDevice();

  WaylandConnection& connection_;
  Scheduler& mainQueue_;
  Background& background_;
  zwlr_data_control_manager_v1* manager_ = nullptr;
  wl_seat* seat_ = nullptr;
  zwlr_data_control_device_v1* device_ = nullptr;
  Signal<>::Connection lostSubscription_ = 0;
  std::function<PasteboardOwner()> activeApplication_;

  // Offers introduced but not yet named as a selection, with their types so far.
  std::map<zwlr_data_control_offer_v1*, std::vector<std::string>> incoming_;
  zwlr_data_control_offer_v1* current_ = nullptr;
  std::list<Transfer> transfers_;

  // Our sources, with what each serves.
  std::map<zwlr_data_control_source_v1*, Offers> sources_;
  std::list<PipeWriter> writers_;
  // The markers of our writes whose selection the compositor has not announced yet: they were
  // counted when written.
  std::set<std::string> ownNoticesDue_;

  bool starting_ = true;
  // Selections heard of, ours included, and the one whose content is in `content_`.
  clipboard::ClipboardChanges changes_;
  Content content_;
  TaskId pendingSweep_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik::wayland
