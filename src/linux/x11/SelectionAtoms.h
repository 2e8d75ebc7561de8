// The atoms of selection transfers, interned once for the clipboard adapter, and the names of
// the targets an owner offers.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <xcb/xcb.h>

namespace dovrik::x11 {

struct SelectionAtoms {
  xcb_atom_t CLIPBOARD = XCB_ATOM_NONE;
  xcb_atom_t TARGETS = XCB_ATOM_NONE;
  xcb_atom_t INCR = XCB_ATOM_NONE;
  xcb_atom_t UTF8_STRING = XCB_ATOM_NONE;
  xcb_atom_t textPlainUtf8 = XCB_ATOM_NONE;  // text/plain;charset=utf-8
  xcb_atom_t imagePng = XCB_ATOM_NONE;       // image/png
  xcb_atom_t passwordHint = XCB_ATOM_NONE;   // x-kde-passwordManagerHint
  // Properties on our window that owners write into, used in turn so that a late answer to an
  // abandoned request never lands where the current one is expected.
  std::array<xcb_atom_t, 4> transfer{};

  static SelectionAtoms intern(xcb_connection_t* connection);
};

// The names of `atoms`, in their order, with one round trip for all; an unknown atom has an
// empty name.
std::vector<std::string> atomNames(xcb_connection_t* connection,
                                   const std::vector<xcb_atom_t>& atoms);

}  // namespace dovrik::x11
