// Dovrik as the owner of a selection: hands its content to the applications that paste it,
// in one piece or, when large, in INCR chunks.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "core/support/Signal.h"
#include "linux/x11/SelectionAtoms.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class SelectionServer {
 public:
  struct Offer {
    xcb_atom_t target = XCB_ATOM_NONE;
    xcb_atom_t type = XCB_ATOM_NONE;
    std::shared_ptr<const std::string> bytes;
  };
  // Content above this goes out in chunks of this size, well below any server's request limit.
  static constexpr std::size_t chunkSize = 64u << 10;

  SelectionServer(XConnection& x, xcb_window_t window, const SelectionAtoms& atoms);
  SelectionServer(const SelectionServer&) = delete;
  SelectionServer& operator=(const SelectionServer&) = delete;

  // Takes `selection` with these offers; answers whether the server made our window its
  // owner.
  bool own(xcb_atom_t selection, std::vector<Offer> offers);
  // Whether we still hold `selection`: until another client takes it.
  bool owns(xcb_atom_t selection) const { return offers_.contains(selection); }

  void handle(const xcb_generic_event_t& event);

  // A requestor has a form of our content (a large one once its last chunk is out); asking
  // which forms there are does not count.
  Signal<> delivered;

 private:
  struct Outgoing {
    Offer offer;
    std::size_t sent = 0;
  };
  void answer(const xcb_selection_request_event_t& request);
  // Writes the offer, or starts an INCR transfer of it; answers whether it was written.
  bool put(xcb_window_t requestor, xcb_atom_t property, const Offer& offer);
  void sendNextChunk(xcb_window_t requestor, xcb_atom_t property);

  XConnection& x_;
  xcb_window_t window_;
  const SelectionAtoms& atoms_;
  std::map<xcb_atom_t, std::vector<Offer>> offers_;  // by selection
  std::map<std::pair<xcb_window_t, xcb_atom_t>, Outgoing> outgoing_;
};

}  // namespace dovrik::x11
