// Moves the pointer as a device would, through XTest. xdotool's mousemove warps the pointer
// instead, which makes no device motion and so no raw event.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <xcb/xtest.h>

#include "TestClient.h"

namespace dovrik::x11test {

inline void fakeMotion(TestClient& client, Point root) {
  xcb_connection_t* c = client.raw();
  xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, client.root(),
                      static_cast<std::int16_t>(std::lround(root.x)),
                      static_cast<std::int16_t>(std::lround(root.y)), 0);
  // The server has moved the pointer before the caller waits for its effects.
  client.sync();
}

// A press or release of a physical button, as a device would make it.
inline void fakeButton(TestClient& client, std::uint8_t button, bool pressed) {
  xcb_connection_t* c = client.raw();
  xcb_test_fake_input(c, pressed ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME,
                      XCB_NONE, 0, 0, 0);
  client.sync();
}

}  // namespace dovrik::x11test
