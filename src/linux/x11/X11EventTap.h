// The EventTap port on X11: XInput2 raw button and motion events of the master pointers,
// selected on the root. Nothing is grabbed or consumed, and the events keep coming while a
// window manager holds its own pointer grab (during a title-bar move, for instance).
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/EventTap.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11EventTap : public EventTap {
 public:
  // Reading the pointer is a round trip: while it moves, it is read at most this often, and a
  // burst of moves in between is delivered as one drag to where the pointer went.
  static constexpr double pointerReadInterval = 1.0 / 50;

  explicit X11EventTap(XConnection& connection) : x_(connection) {}
  X11EventTap(const X11EventTap&) = delete;
  X11EventTap& operator=(const X11EventTap&) = delete;
  ~X11EventTap() override;

  // Every X server shows the pointer and its buttons to any client.
  bool followsWindowDrags() const override { return true; }
  // Refused without XInput 2.2. Delivers presses of the logical left button, the pointer's
  // moves while it is held, its release, and presses of the logical right button, with the
  // pointer's location in accessibility space.
  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override;
  void remove(EventTapRef tap) override;

 private:
  bool hasRawEvents();
  // Raw button events while some tap is enabled, raw motion only while the left button is held:
  // every move of the mouse would wake us otherwise. `checked` waits for the server's answer,
  // which decides whether a tap can be installed; the others are not worth a round trip.
  bool selectRawEvents(bool buttons, bool motion, bool checked);
  bool anyEnabled() const;
  void updateSelection();
  void handle(const xcb_generic_event_t& event);
  void rawButton(std::uint32_t physicalButton, bool pressed);
  void leftPressed();
  void leftReleased();
  // Reads the pointer for the moves not yet delivered now, or asks the connection to come back
  // when a read is due.
  void readWhenDue();
  void deliverPendingMotion();
  std::uint32_t logicalButton(std::uint32_t physicalButton);
  void deliver(TapEventType type, Point location);

  XConnection& x_;
  // XInput 2.2 present, and its major opcode; asked once.
  std::optional<bool> hasRawEvents_;
  std::uint8_t inputOpcode_ = 0;
  // The pointer mapping, physical button → logical button; read again after a MappingNotify.
  std::optional<std::vector<std::uint8_t>> buttonMap_;

  struct Tap {
    TapCallback callback;
    bool enabled = true;
  };
  std::map<EventTapRef, Tap> taps_;
  bool selected_ = false;
  EventTapRef nextRef_ = 1;
  bool motionSelected_ = false;
  Signal<const xcb_generic_event_t&>::Connection subscription_ = 0;
  Signal<>::Connection wakeSubscription_ = 0;

  bool leftDown_ = false;
  // A move arrived whose location has not been read yet.
  bool motionPending_ = false;
  std::chrono::steady_clock::time_point lastRead_;
  std::optional<Point> lastLocation_;
};

}  // namespace dovrik::x11
