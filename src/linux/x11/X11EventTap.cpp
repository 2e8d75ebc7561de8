// Turning XInput2 raw events into left-button presses, drags and releases.
#include "linux/x11/X11EventTap.h"

#include <cstdlib>
#include <utility>

#include <xcb/xinput.h>

#include "linux/x11/XReply.h"

namespace dovrik::x11 {

X11EventTap::~X11EventTap() {
  if (installed_)
    remove(*installed_);
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

bool X11EventTap::selectRawEvents(bool on) {
  struct {
    xcb_input_event_mask_t head;
    std::uint32_t bits;
  } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
         on ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS |
                            XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE |
                            XCB_INPUT_XI_EVENT_MASK_RAW_MOTION}
            : 0};
  xcb_connection_t* c = x_.raw();
  xcb_generic_error_t* error =
      xcb_request_check(c, xcb_input_xi_select_events_checked(c, x_.root(), 1, &mask.head));
  const bool ok = !error;
  std::free(error);
  return ok;
}

std::optional<EventTapRef> X11EventTap::install(TapCallback callback) {
  // One tap at a time is all the core asks for; a second would hide a missing remove.
  if (installed_ || !hasRawEvents() || !selectRawEvents(true))
    return std::nullopt;
  installed_ = nextRef_++;
  callback_ = std::move(callback);
  // The mapping may have changed while nothing listened for its notice.
  buttonMap_.reset();
  enabled_ = true;
  leftDown_ = false;
  motionPending_ = false;
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) { handle(event); });
  return installed_;
}

void X11EventTap::setEnabled(EventTapRef tap, bool enabled) {
  if (installed_ != tap || enabled_ == enabled)
    return;
  enabled_ = enabled;
  // A press seen before the tap went off cannot be trusted after it comes back: wait for the
  // next one.
  leftDown_ = false;
  motionPending_ = false;
  // Off means no traffic at all: every move of the mouse would wake us otherwise.
  selectRawEvents(enabled);
}

void X11EventTap::remove(EventTapRef tap) {
  if (installed_ != tap)
    return;
  x_.events.disconnect(subscription_);
  if (enabled_ && x_.isConnected())
    selectRawEvents(false);
  installed_.reset();
  callback_ = nullptr;
  enabled_ = false;
  leftDown_ = false;
  motionPending_ = false;
}

void X11EventTap::handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_MAPPING_NOTIFY) {
    if (reinterpret_cast<const xcb_mapping_notify_event_t&>(event).request == XCB_MAPPING_POINTER)
      buttonMap_.reset();
    return;
  }
  if (!installed_ || !enabled_)
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
  // The last of a burst of moves: nothing else is waiting, so read where the pointer went.
  if (motionPending_ && installed_ && enabled_ && !x_.hasPendingEvents())
    deliverPendingMotion();
}

void X11EventTap::rawButton(std::uint32_t physicalButton, bool pressed) {
  if (logicalButton(physicalButton) != XCB_BUTTON_INDEX_1)
    return;
  if (pressed) {
    if (const auto location = pointerLocation()) {
      leftDown_ = true;
      motionPending_ = false;
      deliver(TapEventType::leftMouseDown, *location);
    }
    return;
  }
  if (!leftDown_)
    return;
  leftDown_ = false;
  motionPending_ = false;
  const auto location = pointerLocation();
  if (!location)
    return;
  // The drag handler must see where the pointer was let go before it hears of the release,
  // also when it got there without device motion (a warp makes no raw event).
  if (location != lastLocation_)
    deliver(TapEventType::leftMouseDragged, *location);
  deliver(TapEventType::leftMouseUp, *location);
}

void X11EventTap::deliverPendingMotion() {
  if (!motionPending_)
    return;
  motionPending_ = false;
  if (const auto location = pointerLocation())
    deliver(TapEventType::leftMouseDragged, *location);
}

std::optional<Point> X11EventTap::pointerLocation() {
  xcb_connection_t* c = x_.raw();
  xcb_generic_error_t* error = nullptr;
  auto pointer =
      takeReply(xcb_query_pointer_reply(c, xcb_query_pointer(c, x_.root()), &error), error);
  if (!pointer || !pointer->same_screen)
    return std::nullopt;
  return x_
      .rootToAccessibility(
          {static_cast<double>(pointer->root_x), static_cast<double>(pointer->root_y), 0, 0})
      .origin();
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
  // A copy: the callback may remove the tap while it runs.
  lastLocation_ = location;
  const TapCallback callback = callback_;
  if (callback)
    callback({type, location});
}

}  // namespace dovrik::x11
