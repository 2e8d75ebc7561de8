// Selection transfers into our window: the ConvertSelection request, the SelectionNotify
// answer and, for large content, the INCR protocol's chunks.
#include "linux/x11/SelectionReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "linux/x11/XReply.h"

namespace dovrik::x11 {

SelectionReader::SelectionReader(XConnection& x, Scheduler& mainQueue, xcb_window_t window,
                                 const SelectionAtoms& atoms)
    : x_(x), mainQueue_(mainQueue), window_(window), atoms_(atoms) {}

SelectionReader::~SelectionReader() {
  if (current_)
    mainQueue_.cancel(current_->silence);
}

void SelectionReader::read(xcb_atom_t selection, xcb_atom_t target, Done done, std::size_t limit) {
  queue_.push_back(Request{selection, target, std::move(done), limit});
  if (!current_)
    startNext();
}

void SelectionReader::abandonAll() {
  std::deque<Request> dropped = std::move(queue_);
  queue_.clear();
  if (current_) {
    mainQueue_.cancel(current_->silence);
    dropped.push_front(std::move(current_->request));
    current_.reset();
  }
  for (Request& request : dropped)
    mainQueue_.after(0, [done = std::move(request.done)] { done(std::nullopt); });
}

void SelectionReader::startNext() {
  if (queue_.empty() || !x_.isConnected())
    return;
  current_.emplace();
  current_->request = std::move(queue_.front());
  queue_.pop_front();
  current_->property = atoms_.transfer[nextProperty_++ % atoms_.transfer.size()];
  // A late answer to an earlier request may still sit in this property.
  xcb_delete_property(x_.raw(), window_, current_->property);
  xcb_convert_selection(x_.raw(), window_, current_->request.selection, current_->request.target,
                        current_->property, XCB_CURRENT_TIME);
  x_.flush();
  armSilence();
}

void SelectionReader::armSilence() {
  mainQueue_.cancel(current_->silence);
  current_->silence = mainQueue_.after(silenceBound, [this] {
    current_->silence = 0;
    finish(std::nullopt);
  });
}

void SelectionReader::finish(std::optional<Data> result) {
  if (current_->silence)
    mainQueue_.cancel(current_->silence);
  Done done = std::move(current_->request.done);
  current_.reset();
  startNext();
  done(std::move(result));
}

std::optional<SelectionReader::Data> SelectionReader::takeProperty(xcb_atom_t property,
                                                                   std::size_t limit) {
  const auto cookie = xcb_get_property(x_.raw(), 1, window_, property, XCB_ATOM_ANY, 0,
                                       static_cast<std::uint32_t>(limit / 4 + 1));
  xcb_generic_error_t* error = nullptr;
  auto reply = takeReply(xcb_get_property_reply(x_.raw(), cookie, &error), error);
  if (!reply || reply->type == XCB_ATOM_NONE)
    return std::nullopt;
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
  // In bytes already, whatever the format: a list of 32-bit atoms is 4 bytes per atom.
  const auto bytes = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
  return Data{reply->type, std::string(data, bytes)};
}

void SelectionReader::handle(const xcb_generic_event_t& event) {
  if (!current_)
    return;
  const std::uint8_t kind = event.response_type & 0x7f;
  if (kind == XCB_SELECTION_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
    if (notify.requestor != window_ || notify.target != current_->request.target ||
        (notify.property != XCB_ATOM_NONE && notify.property != current_->property))
      return;
    if (notify.property == XCB_ATOM_NONE)
      return finish(std::nullopt);  // the owner cannot give this target
    const std::size_t limit = current_->request.limit;
    std::optional<Data> data = takeProperty(current_->property, limit);
    if (!data || (data->type != atoms_.INCR && data->bytes.size() > limit))
      return finish(std::nullopt);
    if (data->type != atoms_.INCR)
      return finish(std::move(data));
    // Deleting the INCR property (done by the read) asks the owner for the first chunk.
    current_->incremental = true;
    // The owner states a lower bound of the size: room for it at once spares copying what has
    // arrived each time the buffer grows.
    if (data->bytes.size() >= sizeof(std::uint32_t)) {
      std::uint32_t announced = 0;
      std::memcpy(&announced, data->bytes.data(), sizeof announced);
      if (announced > limit)
        return finish(std::nullopt);
      current_->bytes.reserve(announced);
    }
    armSilence();
    return;
  }
  if (kind == XCB_PROPERTY_NOTIFY && current_->incremental) {
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notify.window != window_ || notify.atom != current_->property ||
        notify.state != XCB_PROPERTY_NEW_VALUE)
      return;
    std::optional<Data> chunk = takeProperty(current_->property, current_->request.limit);
    if (!chunk)
      return;
    if (chunk->bytes.empty()) {
      Data whole{current_->type, std::move(current_->bytes)};
      return finish(std::move(whole));
    }
    current_->type = chunk->type;
    current_->bytes += chunk->bytes;
    if (current_->bytes.size() > current_->request.limit)
      return finish(std::nullopt);
    armSilence();
  }
}

}  // namespace dovrik::x11
