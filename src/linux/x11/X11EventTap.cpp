// Turning XInput2 raw events into left-button presses, drags and releases.
#include "linux/x11/X11EventTap.h"

#include <cstdlib>
#include <utility>

#include <xcb/xinput.h>

#include "linux/x11/XReply.h"

namespace dovrik::x11 {

X11EventTap::~X11EventTap() {
  if (!taps_.empty()) {
    x_.events.disconnect(subscription_);
    x_.woken.disconnect(wakeSubscription_);
  }
  if (selected_ && x_.isConnected())
    selectRawEvents(false, false, false);
  if (leftDown_)
    x_.setServiceInterval(0);
}

bool X11EventTap::hasRawEvents() {
  if (hasRawEvents_)
    return *hasRawEvents_;
  hasRawEvents_ = false;
  if (!x_.isConnected())
    return false;
  xcb_connection_t* c = x_.raw();
  const xcb_query_extension_reply_t* input = xcb_get_extension_data(c, &xcb_input_id);
  if (!input || !input->present)
    return false;
  xcb_generic_error_t* error = nullptr;
  // Raw events reach root selections whatever grab is active from version 2.1; 2.2 is the
  // version we are written against.
  auto version = takeReply(
      xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), &error), error);
  if (!version || version->major_version < 2 ||
      (version->major_version == 2 && version->minor_version < 2)) {
    return false;
  }
  inputOpcode_ = input->major_opcode;
  hasRawEvents_ = true;
  return true;
}

bool X11EventTap::selectRawEvents(bool buttons, bool motion, bool checked) {
  std::uint32_t bits = 0;
  if (buttons)
    bits |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
  if (motion)
    bits |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
  struct {
    xcb_input_event_mask_t head;
    std::uint32_t bits;
  } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, bits};
  xcb_connection_t* c = x_.raw();
  motionSelected_ = motion;
  if (!checked) {
    xcb_input_xi_select_events(c, x_.root(), 1, &mask.head);
    x_.flush();
    return true;
  }
  xcb_generic_error_t* error =
      xcb_request_check(c, xcb_input_xi_select_events_checked(c, x_.root(), 1, &mask.head));
  const bool ok = !error;
  std::free(error);
  return ok;
}

std::optional<EventTapRef> X11EventTap::install(TapCallback callback) {
  if (!hasRawEvents())
    return std::nullopt;
  if (taps_.empty()) {
    // The mapping may have changed while nothing listened for its notice.
    buttonMap_.reset();
    subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) { handle(event); });
    wakeSubscription_ = x_.woken.connect([this] {
      if (motionPending_)
        readWhenDue();
    });
  }
  const EventTapRef ref = nextRef_++;
  taps_[ref] = Tap{std::move(callback), true};
  updateSelection();
  if (!selected_) {
    remove(ref);
    return std::nullopt;
  }
  return ref;
}

void X11EventTap::setEnabled(EventTapRef tap, bool enabled) {
  const auto it = taps_.find(tap);
  if (it == taps_.end() || it->second.enabled == enabled)
    return;
  it->second.enabled = enabled;
  updateSelection();
}

void X11EventTap::remove(EventTapRef tap) {
  if (!taps_.erase(tap))
    return;
  if (taps_.empty()) {
    x_.events.disconnect(subscription_);
    x_.woken.disconnect(wakeSubscription_);
  }
  updateSelection();
}

bool X11EventTap::anyEnabled() const {
  for (const auto& [ref, tap] : taps_) {
    if (tap.enabled)
      return true;
  }
  return false;
}

void X11EventTap::updateSelection() {
  const bool wanted = anyEnabled() && x_.isConnected();
  if (wanted == selected_)
    return;
  if (!selectRawEvents(wanted, false, wanted) && wanted)
    return;
  selected_ = wanted;
  // A press seen before listening stopped cannot be trusted after it starts again: wait for
  // the next one.
  leftDown_ = false;
  motionPending_ = false;
  x_.setServiceInterval(0);
}

void X11EventTap::handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_MAPPING_NOTIFY) {
    if (reinterpret_cast<const xcb_mapping_notify_event_t&>(event).request == XCB_MAPPING_POINTER)
      buttonMap_.reset();
    return;
  }
  if (!selected_)
    return;
  if (type == XCB_GE_GENERIC) {
    const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(event);
    if (generic.extension == inputOpcode_) {
      const auto& raw = reinterpret_cast<const xcb_input_raw_button_press_event_t&>(event);
      switch (generic.event_type) {
        case XCB_INPUT_RAW_BUTTON_PRESS:
          rawButton(raw.detail, true);
          break;
        case XCB_INPUT_RAW_BUTTON_RELEASE:
          rawButton(raw.detail, false);
          break;
        case XCB_INPUT_RAW_MOTION:
          motionPending_ = leftDown_;
          break;
        default:
          break;
      }
    }
  }
  // The last of a burst of moves: nothing else is waiting, so the pointer may be read.
  if (motionPending_ && selected_ && !x_.hasPendingEvents())
    readWhenDue();
}

void X11EventTap::rawButton(std::uint32_t physicalButton, bool pressed) {
  const std::uint32_t button = logicalButton(physicalButton);
  if (button == XCB_BUTTON_INDEX_3 && pressed) {
    if (const auto location = x_.pointerLocation())
      deliver(TapEventType::rightMouseDown, *location);
    return;
  }
  if (button != XCB_BUTTON_INDEX_1)
    return;
  if (pressed)
    leftPressed();
  else if (leftDown_)
    leftReleased();
}

void X11EventTap::leftPressed() {
  // Motion is selected before the pointer is read, so no move after the read goes unheard.
  selectRawEvents(true, true, false);
  x_.setServiceInterval(pointerReadInterval);
  motionPending_ = false;
  lastRead_ = std::chrono::steady_clock::now();
  const auto location = x_.pointerLocation();
  leftDown_ = location.has_value();
  if (!location) {
    selectRawEvents(true, false, false);
    x_.setServiceInterval(0);
    return;
  }
  deliver(TapEventType::leftMouseDown, *location);
}

void X11EventTap::leftReleased() {
  leftDown_ = false;
  motionPending_ = false;
  selectRawEvents(true, false, false);
  x_.setServiceInterval(0);
  const auto location = x_.pointerLocation();
  if (!location)
    return;
  // The drag handler must see where the pointer was let go before it hears of the release,
  // also when it got there without device motion (a warp makes no raw event) or between two
  // reads.
  if (location != lastLocation_)
    deliver(TapEventType::leftMouseDragged, *location);
  deliver(TapEventType::leftMouseUp, *location);
}

void X11EventTap::readWhenDue() {
  const std::chrono::duration<double> since = std::chrono::steady_clock::now() - lastRead_;
  const double wait = pointerReadInterval - since.count();
  if (wait > 0) {
    x_.wakeWithin(wait);
    return;
  }
  deliverPendingMotion();
}

void X11EventTap::deliverPendingMotion() {
  if (!motionPending_)
    return;
  motionPending_ = false;
  lastRead_ = std::chrono::steady_clock::now();
  if (const auto location = x_.pointerLocation())
    deliver(TapEventType::leftMouseDragged, *location);
}

std::uint32_t X11EventTap::logicalButton(std::uint32_t physicalButton) {
  if (!buttonMap_) {
    xcb_connection_t* c = x_.raw();
    xcb_generic_error_t* error = nullptr;
    auto reply =
        takeReply(xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), &error), error);
    buttonMap_.emplace();
    if (reply) {
      const std::uint8_t* map = xcb_get_pointer_mapping_map(reply.get());
      buttonMap_->assign(map, map + xcb_get_pointer_mapping_map_length(reply.get()));
    }
  }
  // Raw events report the physical button; a left-handed mapping makes the right one left.
  if (physicalButton == 0 || physicalButton > buttonMap_->size())
    return physicalButton;
  return (*buttonMap_)[physicalButton - 1];
}

void X11EventTap::deliver(TapEventType type, Point location) {
  lastLocation_ = location;
  // Copies: a callback may install or remove taps while it runs.
  std::vector<std::pair<EventTapRef, TapCallback>> receivers;
  for (const auto& [ref, tap] : taps_) {
    if (tap.enabled)
      receivers.emplace_back(ref, tap.callback);
  }
  for (const auto& [ref, callback] : receivers) {
    const auto it = taps_.find(ref);
    if (it != taps_.end() && it->second.enabled)
      callback({type, location});
  }
}

}  // namespace dovrik::x11
