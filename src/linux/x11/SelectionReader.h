// Fetches one target of a selection at a time into a window of ours, without ever waiting on
// the owner: requests go out, and the answer (in one piece or in INCR chunks) is taken from
// the connection's events as it comes.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include <xcb/xcb.h>

#include "core/platform/Scheduler.h"
#include "linux/x11/SelectionAtoms.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class SelectionReader {
 public:
  struct Data {
    xcb_atom_t type = XCB_ATOM_NONE;
    std::string bytes;
  };
  using Done = std::function<void(std::optional<Data>)>;

  // An owner that stays silent this long (between INCR chunks too) is given up on.
  static constexpr double silenceBound = 1.0;
  // Content beyond this is refused rather than held in memory.
  static constexpr std::size_t sizeLimit = 64u << 20;

  // `window` must select PropertyChange events, which carry INCR chunks.
  SelectionReader(XConnection& x, Scheduler& mainQueue, xcb_window_t window,
                  const SelectionAtoms& atoms);
  SelectionReader(const SelectionReader&) = delete;
  SelectionReader& operator=(const SelectionReader&) = delete;
  ~SelectionReader();

  // Asks the owner of `selection` for `target`; `done` gets the data, or nothing when the
  // owner refuses, stays silent or sends more than `limit` bytes. Requests are served in order.
  void read(xcb_atom_t selection, xcb_atom_t target, Done done, std::size_t limit = sizeLimit);
  // Gives up every request, the one under way included; their `done` run on the main queue
  // with nothing. For when the owner changed and the answers no longer matter.
  void abandonAll();

  void handle(const xcb_generic_event_t& event);

 private:
  struct Request {
    xcb_atom_t selection = XCB_ATOM_NONE;
    xcb_atom_t target = XCB_ATOM_NONE;
    Done done;
    std::size_t limit = sizeLimit;
  };
  struct Transfer {
    Request request;
    xcb_atom_t property = XCB_ATOM_NONE;
    bool incremental = false;
    xcb_atom_t type = XCB_ATOM_NONE;
    std::string bytes;
    TaskId silence = 0;
  };

  void startNext();
  void armSilence();
  void finish(std::optional<Data> result);
  // Reads and deletes the transfer property, up to `limit` bytes and one more, so that going
  // over shows; nothing when it is gone.
  std::optional<Data> takeProperty(xcb_atom_t property, std::size_t limit);

  XConnection& x_;
  Scheduler& mainQueue_;
  xcb_window_t window_;
  const SelectionAtoms& atoms_;
  std::deque<Request> queue_;
  std::optional<Transfer> current_;
  std::size_t nextProperty_ = 0;
};

}  // namespace dovrik::x11
