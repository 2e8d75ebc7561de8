// Answering SelectionRequest events for the content we own.
#include "linux/x11/SelectionServer.h"

#include <algorithm>
#include <cstdint>

#include "linux/x11/XReply.h"

namespace dovrik::x11 {

SelectionServer::SelectionServer(XConnection& x, xcb_window_t window, const SelectionAtoms& atoms)
    : x_(x), window_(window), atoms_(atoms) {}

bool SelectionServer::own(xcb_atom_t selection, std::vector<Offer> offers) {
  offers_[selection] = std::move(offers);
  xcb_set_selection_owner(x_.raw(), window_, selection, XCB_CURRENT_TIME);
  const auto cookie = xcb_get_selection_owner(x_.raw(), selection);
  xcb_generic_error_t* error = nullptr;
  const auto reply = takeReply(xcb_get_selection_owner_reply(x_.raw(), cookie, &error), error);
  if (reply && reply->owner == window_)
    return true;
  offers_.erase(selection);
  return false;
}

void SelectionServer::handle(const xcb_generic_event_t& event) {
  switch (event.response_type & 0x7f) {
    case XCB_SELECTION_REQUEST: {
      const auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(event);
      if (request.owner == window_)
        answer(request);
      break;
    }
    case XCB_SELECTION_CLEAR: {
      const auto& clear = reinterpret_cast<const xcb_selection_clear_event_t&>(event);
      if (clear.owner == window_)
        offers_.erase(clear.selection);
      break;
    }
    case XCB_PROPERTY_NOTIFY: {
      // The requestor deleted the last chunk: it wants the next one.
      const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      if (notify.state == XCB_PROPERTY_DELETE && outgoing_.contains({notify.window, notify.atom}))
        sendNextChunk(notify.window, notify.atom);
      break;
    }
    case XCB_DESTROY_NOTIFY: {
      const auto& destroy = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
      std::erase_if(outgoing_,
                    [&](const auto& entry) { return entry.first.first == destroy.window; });
      break;
    }
    default:
      break;
  }
}

void SelectionServer::answer(const xcb_selection_request_event_t& request) {
  // Clients from before ICCCM 2 name no property; the target's name serves as one.
  const xcb_atom_t property = request.property == XCB_ATOM_NONE ? request.target : request.property;
  bool written = false;
  if (const auto held = offers_.find(request.selection); held != offers_.end()) {
    if (request.target == atoms_.TARGETS) {
      std::vector<xcb_atom_t> targets{atoms_.TARGETS};
      for (const Offer& offer : held->second)
        targets.push_back(offer.target);
      xcb_change_property(x_.raw(), XCB_PROP_MODE_REPLACE, request.requestor, property,
                          XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(targets.size()),
                          targets.data());
      written = true;
    } else {
      const auto offer = std::ranges::find(held->second, request.target, &Offer::target);
      written = offer != held->second.end() && put(request.requestor, property, *offer);
    }
  }
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = written ? property : xcb_atom_t{XCB_ATOM_NONE};
  xcb_send_event(x_.raw(), 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
  x_.flush();
  if (written && request.target != atoms_.TARGETS &&
      !outgoing_.contains({request.requestor, property}))
    delivered.emit();
}

bool SelectionServer::put(xcb_window_t requestor, xcb_atom_t property, const Offer& offer) {
  const std::string& bytes = *offer.bytes;
  if (bytes.size() <= chunkSize) {
    xcb_change_property(x_.raw(), XCB_PROP_MODE_REPLACE, requestor, property, offer.type, 8,
                        static_cast<std::uint32_t>(bytes.size()), bytes.data());
    return true;
  }
  // Property deletions on the requestor's window pace the chunks. The mask is the one every
  // adapter on this connection asks for, since a new mask replaces the old one.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(x_.raw(), requestor, XCB_CW_EVENT_MASK, &mask);
  const auto size = static_cast<std::uint32_t>(bytes.size());
  xcb_change_property(x_.raw(), XCB_PROP_MODE_REPLACE, requestor, property, atoms_.INCR, 32, 1,
                      &size);
  outgoing_[{requestor, property}] = Outgoing{offer, 0};
  return true;
}

void SelectionServer::sendNextChunk(xcb_window_t requestor, xcb_atom_t property) {
  const auto it = outgoing_.find({requestor, property});
  Outgoing& out = it->second;
  const std::string& bytes = *out.offer.bytes;
  const std::size_t length = std::min(chunkSize, bytes.size() - out.sent);
  xcb_change_property(x_.raw(), XCB_PROP_MODE_REPLACE, requestor, property, out.offer.type, 8,
                      static_cast<std::uint32_t>(length), bytes.data() + out.sent);
  // The empty chunk after the last one tells the requestor that the transfer is complete.
  if (length == 0)
    outgoing_.erase(it);
  else
    out.sent += length;
  x_.flush();
  if (length == 0)
    delivered.emit();
}

}  // namespace dovrik::x11
