// The clipboard on Wayland through the compositor's clipboard-control protocol
// (zwlr_data_control_manager_v1), which tells a client of every selection on a seat without
// it having the keyboard focus. Offers are read through pipes on the loop, never waiting for
// their owner.
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
#include "core/platform/Scheduler.h"
#include "linux/clipboard/FetchingPasteboard.h"
#include "linux/wayland/PipeReader.h"
#include "linux/wayland/PipeWriter.h"
#include "linux/wayland/WaylandConnection.h"

struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;

namespace dovrik::wayland {

class DataControlPasteboard : public clipboard::FetchingPasteboard {
 public:
  DataControlPasteboard(WaylandConnection& connection, Scheduler& mainQueue,
                        Background& background);
  ~DataControlPasteboard() override;

  // Whether the compositor offers clipboard control on a seat.
  bool isAvailable() const { return device_ != nullptr; }

  ChangeCount writeText(const std::string& text, bool alsoPrimary) override;
  std::optional<ChangeCount> writePNG(const Bytes& png, bool alsoPrimary) override;
  ChangeCount writeRepresentations(const std::vector<PasteboardRepresentation>& representations,
                                   bool alsoPrimary) override;

 private:
  using Offers = std::vector<std::pair<std::string, std::shared_ptr<const std::string>>>;
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

  // Asks the current offer for `type` through a pipe.
  void receive(const std::string& type, std::size_t limit, Received done) override;
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
  zwlr_data_control_manager_v1* manager_ = nullptr;
  wl_seat* seat_ = nullptr;
  zwlr_data_control_device_v1* device_ = nullptr;
  Signal<>::Connection lostSubscription_ = 0;

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
  TaskId pendingSweep_ = 0;
};

}  // namespace dovrik::wayland
