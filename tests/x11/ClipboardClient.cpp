// A minimal selection owner and requestor, after ICCCM, for the clipboard tests.
#include "ClipboardClient.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace dovrik::x11test {

ClipboardClient::ClipboardClient(const std::string& display) {
  c_ = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(c_))
    throw std::runtime_error("cannot connect to " + display);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
  window_ = xcb_generate_id(c_);
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c_);
}

ClipboardClient::~ClipboardClient() {
  xcb_disconnect(c_);
}

xcb_atom_t ClipboardClient::atom(const std::string& name) {
  auto* reply = xcb_intern_atom_reply(
      c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
  const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return value;
}

void ClipboardClient::own(std::map<std::string, std::string> offers, bool silent,
                          const std::string& selection) {
  offers_.clear();
  asked_.clear();
  for (auto& [target, bytes] : offers)
    offers_[atom(target)] = std::move(bytes);
  silent_ = silent;
  xcb_set_selection_owner(c_, window_, atom(selection), XCB_CURRENT_TIME);
  xcb_flush(c_);
}

xcb_window_t ClipboardClient::classedWindow(const std::string& instance,
                                            const std::string& className) {
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
  const xcb_window_t window = xcb_generate_id(c_);
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window, screen->root, 40, 40, 200, 120, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  const std::string wmClass = instance + '\0' + className + '\0';
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
  return window;
}

xcb_window_t ClipboardClient::showWindow(const std::string& instance,
                                         const std::string& className) {
  const xcb_window_t window = classedWindow(instance, className);
  xcb_map_window(c_, window);
  xcb_flush(c_);
  return window;
}

void ClipboardClient::leadWith(const std::string& instance, const std::string& className) {
  const xcb_window_t leader = classedWindow(instance, className);
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, atom("WM_CLIENT_LEADER"), XCB_ATOM_WINDOW,
                      32, 1, &leader);
  xcb_flush(c_);
}

bool ClipboardClient::wasAsked(const std::string& target) {
  return asked_.contains(atom(target));
}

void ClipboardClient::sendXdnd(xcb_window_t target, const std::string& message,
                               std::uint32_t second, std::uint32_t third, std::uint32_t fourth,
                               std::uint32_t fifth) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = target;
  event.type = atom(message);
  event.data.data32[0] = window_;
  event.data.data32[1] = second;
  event.data.data32[2] = third;
  event.data.data32[3] = fourth;
  event.data.data32[4] = fifth;
  xcb_send_event(c_, 0, target, 0, reinterpret_cast<const char*>(&event));
  xcb_flush(c_);
}

void ClipboardClient::dragOver(xcb_window_t target, const std::string& type,
                               const std::string& bytes, int x, int y) {
  dragAccepted = false;
  dropFinished = false;
  own({{type, bytes}}, false, "XdndSelection");
  constexpr std::uint32_t version = 5;
  sendXdnd(target, "XdndEnter", version << 24, atom(type));
  sendXdnd(target, "XdndPosition", 0,
           (static_cast<std::uint32_t>(x) << 16) | static_cast<std::uint32_t>(y), XCB_CURRENT_TIME,
           atom("XdndActionCopy"));
}

void ClipboardClient::drop(xcb_window_t target) {
  sendXdnd(target, "XdndDrop", 0, XCB_CURRENT_TIME);
}

void ClipboardClient::paste(const std::string& target) {
  pasted.reset();
  refused = false;
  incoming_ = false;
  received_.clear();
  xcb_convert_selection(c_, window_, atom("CLIPBOARD"), atom(target), atom("PASTED"),
                        XCB_CURRENT_TIME);
  xcb_flush(c_);
}

void ClipboardClient::service() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
    handle(*event);
    std::free(event);
  }
  xcb_flush(c_);
}

void ClipboardClient::answer(const xcb_selection_request_event_t& request) {
  if (silent_)
    return;
  asked_.insert(request.target);
  bool written = true;
  if (request.target == atom("TARGETS")) {
    std::vector<xcb_atom_t> targets{atom("TARGETS")};
    for (const auto& [target, bytes] : offers_)
      targets.push_back(target);
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                        XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(targets.size()),
                        targets.data());
  } else if (const auto offer = offers_.find(request.target); offer == offers_.end()) {
    written = false;
  } else if (offer->second.size() > chunkSize) {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c_, request.requestor, XCB_CW_EVENT_MASK, &mask);
    const auto size = static_cast<std::uint32_t>(offer->second.size());
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                        atom("INCR"), 32, 1, &size);
    outgoing_ = Outgoing{request.requestor, request.property, offer->second, 0};
  } else {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                        request.target, 8, static_cast<std::uint32_t>(offer->second.size()),
                        offer->second.data());
  }
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = written ? request.property : xcb_atom_t{XCB_ATOM_NONE};
  xcb_send_event(c_, 0, request.requestor, 0, reinterpret_cast<const char*>(&notify));
}

void ClipboardClient::handle(const xcb_generic_event_t& event) {
  const auto take = [&] {
    auto* reply = xcb_get_property_reply(
        c_, xcb_get_property(c_, 1, window_, atom("PASTED"), XCB_ATOM_ANY, 0, 64u << 20), nullptr);
    std::pair<xcb_atom_t, std::string> value{XCB_ATOM_NONE, {}};
    if (reply) {
      value = {reply->type,
               std::string(static_cast<const char*>(xcb_get_property_value(reply)),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply)) *
                               (reply->format / 8u))};
      std::free(reply);
    }
    return value;
  };
  switch (event.response_type & 0x7f) {
    case XCB_SELECTION_REQUEST:
      answer(reinterpret_cast<const xcb_selection_request_event_t&>(event));
      break;
    case XCB_SELECTION_NOTIFY: {
      const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
      if (notify.property == XCB_ATOM_NONE) {
        refused = true;
        break;
      }
      auto [type, bytes] = take();
      if (type == atom("INCR"))
        incoming_ = true;
      else
        pasted = std::move(bytes);
      break;
    }
    case XCB_PROPERTY_NOTIFY: {
      const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      if (incoming_ && notify.window == window_ && notify.state == XCB_PROPERTY_NEW_VALUE &&
          notify.atom == atom("PASTED")) {
        auto [type, bytes] = take();
        if (bytes.empty()) {
          incoming_ = false;
          pasted = std::move(received_);
        } else {
          received_ += bytes;
        }
      }
      if (outgoing_ && notify.window == outgoing_->requestor &&
          notify.atom == outgoing_->property && notify.state == XCB_PROPERTY_DELETE) {
        const std::size_t length = std::min(chunkSize, outgoing_->bytes.size() - outgoing_->sent);
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, outgoing_->requestor, outgoing_->property,
                            atom("UTF8_STRING"), 8, static_cast<std::uint32_t>(length),
                            outgoing_->bytes.data() + outgoing_->sent);
        outgoing_->sent += length;
        ++chunksSent;
        if (length == 0)
          outgoing_.reset();
      }
      break;
    }
    case XCB_CLIENT_MESSAGE: {
      const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
      if (message.type == atom("XdndStatus"))
        dragAccepted = (message.data.data32[1] & 1u) != 0;
      else if (message.type == atom("XdndFinished"))
        dropFinished = true;
      break;
    }
    default:
      break;
  }
}

}  // namespace dovrik::x11test
