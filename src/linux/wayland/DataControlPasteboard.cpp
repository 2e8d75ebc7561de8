// Watching the seat's selection through clipboard control, caching what it offers, and owning
// it for Dovrik's writes.
#include "linux/wayland/DataControlPasteboard.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <atomic>

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include "linux/clipboard/ClipboardBytes.h"
#include "linux/wayland/ClipboardMimeTypes.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace dovrik::wayland {
namespace {

// Version 2 adds the primary selection.
constexpr std::uint32_t managerVersion = 2;

std::shared_ptr<const std::string> share(std::string bytes) {
  return std::make_shared<const std::string>(std::move(bytes));
}

}  // namespace

DataControlPasteboard::DataControlPasteboard(WaylandConnection& connection, Scheduler& mainQueue,
                                             Background& background)
    : FetchingPasteboard(mainQueue, background), connection_(connection), mainQueue_(mainQueue) {
  const auto manager = connection_.global("zwlr_data_control_manager_v1");
  // The first seat is the default one; compositors with several seats are rare on desktops.
  const auto seat = connection_.global("wl_seat");
  if (!manager || !seat)
    return;
  manager_ = static_cast<zwlr_data_control_manager_v1*>(
      connection_.bind(*manager, &zwlr_data_control_manager_v1_interface, managerVersion));
  seat_ = static_cast<wl_seat*>(connection_.bind(*seat, &wl_seat_interface, 1));
  lostSubscription_ = connection_.lost.connect([this] { releaseDevice(); });
  bindDevice();
  // The compositor names the current selection, if there is one, as soon as the device
  // exists: that content is the one at count 0.
  connection_.roundtrip();
  starting_ = false;
}

DataControlPasteboard::~DataControlPasteboard() {
  connection_.lost.disconnect(lostSubscription_);
  mainQueue_.cancel(pendingSweep_);
  transfers_.clear();
  writers_.clear();
  releaseDevice();
  if (seat_)
    wl_seat_destroy(seat_);
  if (manager_)
    zwlr_data_control_manager_v1_destroy(manager_);
  connection_.flush();
}

void DataControlPasteboard::bindDevice() {
  static const zwlr_data_control_device_v1_listener deviceListener{
      .data_offer =
          [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
            static_cast<DataControlPasteboard*>(data)->offerIntroduced(offer);
          },
      .selection =
          [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
            static_cast<DataControlPasteboard*>(data)->selectionChanged(offer);
          },
      .finished =
          [](void* data, zwlr_data_control_device_v1*) {
            static_cast<DataControlPasteboard*>(data)->deviceFinished();
          },
      .primary_selection =
          [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
            static_cast<DataControlPasteboard*>(data)->primarySelectionChanged(offer);
          },
  };
  device_ = zwlr_data_control_manager_v1_get_data_device(manager_, seat_);
  zwlr_data_control_device_v1_add_listener(device_, &deviceListener, this);
}

void DataControlPasteboard::releaseDevice() {
  abandonTransfers();
  for (auto& [offer, types] : incoming_)
    zwlr_data_control_offer_v1_destroy(offer);
  incoming_.clear();
  if (current_)
    zwlr_data_control_offer_v1_destroy(current_);
  current_ = nullptr;
  for (auto& [source, served] : sources_)
    zwlr_data_control_source_v1_destroy(source);
  sources_.clear();
  if (device_)
    zwlr_data_control_device_v1_destroy(device_);
  device_ = nullptr;
}

void DataControlPasteboard::offerIntroduced(zwlr_data_control_offer_v1* offer) {
  static const zwlr_data_control_offer_v1_listener offerListener{
      .offer =
          [](void* data, zwlr_data_control_offer_v1* offer, const char* type) {
            static_cast<DataControlPasteboard*>(data)->offerType(offer, type);
          },
  };
  incoming_[offer];
  zwlr_data_control_offer_v1_add_listener(offer, &offerListener, this);
}

void DataControlPasteboard::offerType(zwlr_data_control_offer_v1* offer, const char* type) {
  const auto found = incoming_.find(offer);
  if (found != incoming_.end())
    found->second.emplace_back(type);
}

void DataControlPasteboard::primarySelectionChanged(zwlr_data_control_offer_v1* offer) {
  // The history follows the clipboard only; the primary selection's offers are let go at once.
  if (!offer)
    return;
  incoming_.erase(offer);
  zwlr_data_control_offer_v1_destroy(offer);
}

void DataControlPasteboard::deviceFinished() {
  // The seat went away: there is no clipboard to follow until Dovrik starts again.
  releaseDevice();
}

void DataControlPasteboard::selectionChanged(zwlr_data_control_offer_v1* offer) {
  std::vector<std::string> types;
  if (const auto found = incoming_.find(offer); found != incoming_.end()) {
    types = std::move(found->second);
    incoming_.erase(found);
  }
  if (current_)
    zwlr_data_control_offer_v1_destroy(current_);
  current_ = offer;

  const auto marker = std::ranges::find_if(types, isOwnWriteMarker);
  if (marker != types.end() && ownNoticesDue_.erase(*marker) > 0)
    return;
  // A clipboard manager that copies our content keeps our marker: it says nothing about them.
  std::erase_if(types, [](const std::string& type) { return isOwnWriteMarker(type); });

  const ChangeCount generation = starting_ ? noticed() : notice();
  abandonTransfers();
  if (!offer)
    return publish(generation, Content{});
  Content content;
  content.types = std::move(types);
  content.owner = activeOwner();
  fetch(generation, std::move(content));
}

void DataControlPasteboard::receive(const std::string& type, std::size_t limit, Received done) {
  int fds[2];
  if (!current_ || pipe2(fds, O_CLOEXEC) != 0) {
    mainQueue_.after(0, [done = std::move(done)] { done(std::nullopt); });
    return;
  }
  zwlr_data_control_offer_v1_receive(current_, type.c_str(), fds[1]);
  // The owner has its own copy of the write end now; ours would keep the pipe from ending.
  close(fds[1]);
  connection_.flush();
  auto& transfer = transfers_.emplace_back();
  transfer.done = std::move(done);
  transfer.reader = std::make_unique<PipeReader>(
      fds[0], mainQueue_,
      [this, &transfer](std::optional<std::string> bytes) {
        auto finished = std::move(transfer.done);
        sweepLater();
        finished(std::move(bytes));
      },
      limit);
}

void DataControlPasteboard::abandonTransfers() {
  for (Transfer& transfer : transfers_) {
    if (transfer.done)
      mainQueue_.after(0, [done = std::move(transfer.done)] { done(std::nullopt); });
  }
  transfers_.clear();
}

void DataControlPasteboard::sweepLater() {
  if (pendingSweep_)
    return;
  pendingSweep_ = mainQueue_.after(0, [this] {
    pendingSweep_ = 0;
    std::erase_if(transfers_, [](const Transfer& transfer) { return transfer.reader->finished(); });
    std::erase_if(writers_, [](const PipeWriter& writer) { return writer.finished(); });
  });
}

void DataControlPasteboard::addTextOffers(const std::string& text, Offers& offers,
                                          Content& content) {
  const auto utf8 = share(text);
  for (std::string& type : utf8TextTypes()) {
    content.types.push_back(type);
    offers.emplace_back(std::move(type), utf8);
  }
  const QByteArray latin1 = QString::fromStdString(text).toLatin1();
  offers.emplace_back(std::string(latin1TextType), share(latin1.toStdString()));
  content.types.emplace_back(latin1TextType);
  content.text = text;
}

ChangeCount DataControlPasteboard::writeText(const std::string& text, bool alsoPrimary) {
  Offers offers;
  Content content;
  addTextOffers(text, offers, content);
  return own(std::move(offers), std::move(content), alsoPrimary);
}

ChangeCount DataControlPasteboard::writeRepresentations(
    const std::vector<PasteboardRepresentation>& representations, bool alsoPrimary) {
  Offers offers;
  Content content;
  for (const PasteboardRepresentation& representation : representations) {
    if (representation.type == plainTextType) {
      addTextOffers(representation.bytes, offers, content);
    } else {
      offers.emplace_back(representation.type, share(representation.bytes));
      content.types.push_back(representation.type);
      content.formats.push_back(representation);
    }
  }
  return own(std::move(offers), std::move(content), alsoPrimary);
}

std::optional<ChangeCount> DataControlPasteboard::writePNG(const Bytes& png, bool alsoPrimary) {
  if (!clipboard::isReadablePNG(png))
    return std::nullopt;
  Offers offers{{"image/png", share(std::string(png.begin(), png.end()))}};
  Content content;
  content.types = {"image/png"};
  content.png = png;
  return own(std::move(offers), std::move(content), alsoPrimary);
}

zwlr_data_control_source_v1* DataControlPasteboard::createSource(const Offers& offers,
                                                                 const std::string& marker) {
  static const zwlr_data_control_source_v1_listener sourceListener{
      .send =
          [](void* data, zwlr_data_control_source_v1* source, const char* type, int fd) {
            static_cast<DataControlPasteboard*>(data)->sendRequested(source, type, fd);
          },
      .cancelled =
          [](void* data, zwlr_data_control_source_v1* source) {
            static_cast<DataControlPasteboard*>(data)->sourceCancelled(source);
          },
  };
  auto* source = zwlr_data_control_manager_v1_create_data_source(manager_);
  zwlr_data_control_source_v1_add_listener(source, &sourceListener, this);
  for (const auto& [type, bytes] : offers)
    zwlr_data_control_source_v1_offer(source, type.c_str());
  zwlr_data_control_source_v1_offer(source, marker.c_str());
  sources_.emplace(source, offers);
  return source;
}

ChangeCount DataControlPasteboard::own(Offers offers, Content content, bool alsoPrimary) {
  if (device_) {
    // Numbered for the whole process: each adapter knows its own writes apart from another's.
    static std::atomic<unsigned long> writes = 0;
    const std::string marker = ownWriteMarker(getpid(), ++writes);
    zwlr_data_control_device_v1_set_selection(device_, createSource(offers, marker));
    ownNoticesDue_.insert(marker);
    if (alsoPrimary && zwlr_data_control_device_v1_get_version(device_) >=
                           ZWLR_DATA_CONTROL_DEVICE_V1_SET_PRIMARY_SELECTION_SINCE_VERSION)
      zwlr_data_control_device_v1_set_primary_selection(device_, createSource(offers, marker));
    connection_.flush();
  }
  const ChangeCount generation = notice();
  abandonTransfers();
  publish(generation, std::move(content));
  return generation;
}

void DataControlPasteboard::sendRequested(zwlr_data_control_source_v1* source, const char* type,
                                          int fd) {
  const auto served = sources_.find(source);
  if (served != sources_.end()) {
    const Offers& offers = served->second;
    const auto offer =
        std::ranges::find_if(offers, [&](const auto& entry) { return entry.first == type; });
    if (offer != offers.end()) {
      writers_.emplace_back(fd, offer->second, mainQueue_);
      // The writer holds the bytes it sends: a write of new content may follow at once.
      contentTaken.emit();
      return sweepLater();
    }
  }
  // Our own marker, or a type we never offered: nothing to send.
  close(fd);
}

void DataControlPasteboard::sourceCancelled(zwlr_data_control_source_v1* source) {
  sources_.erase(source);
  zwlr_data_control_source_v1_destroy(source);
}

}  // namespace dovrik::wayland
