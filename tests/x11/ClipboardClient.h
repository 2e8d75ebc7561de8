// Another application's side of the clipboard, on a connection of its own: it takes CLIPBOARD
// with chosen targets (answering in INCR chunks when large, or never, like a hung owner), and
// it pastes, converting CLIPBOARD into its window; as a drag source it drags its offers over
// another window by XDND and drops them there. It runs only when `service` is called, so tests
// interleave it with the adapters' loop in one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include <xcb/xcb.h>

namespace dovrik::x11test {

class ClipboardClient {
 public:
  explicit ClipboardClient(const std::string& display);
  ClipboardClient(const ClipboardClient&) = delete;
  ClipboardClient& operator=(const ClipboardClient&) = delete;
  ~ClipboardClient();

  // Takes `selection` offering each target with its bytes; a `silent` owner never answers.
  void own(std::map<std::string, std::string> offers, bool silent = false,
           const std::string& selection = "CLIPBOARD");
  // Drags `offers` of one target over the XDND-aware `target` window to the root point (x, y):
  // XdndEnter and XdndPosition; `dragAccepted` tells the target's answer.
  void dragOver(xcb_window_t target, const std::string& type, const std::string& bytes, int x,
                int y);
  // Lets go over the target; `dropFinished` tells when the target has taken the data.
  void drop(xcb_window_t target);
  // Maps a top-level window of this connection with the WM_CLASS `instance`, `className`, as
  // an application shows its window while a hidden helper owns the selections; answers it.
  xcb_window_t showWindow(const std::string& instance, const std::string& className);
  // Names an unmapped window with the WM_CLASS `instance`, `className` as the client leader of
  // the window that owns the selections, as toolkits mark their windows as one client's.
  void leadWith(const std::string& instance, const std::string& className);
  // Asks the owner of CLIPBOARD for `target`; `pasted` holds the answer once it is complete.
  void paste(const std::string& target);
  // Pastes `target` and waits with `wait`, which must let this client be serviced: the bytes,
  // nothing when the owner refused, "no answer" when none came in time.
  template <typename Wait>
  std::optional<std::string> pasteWaiting(const std::string& target, Wait&& wait) {
    paste(target);
    if (!wait([&] { return pasted.has_value() || refused; }))
      return "no answer";
    return pasted;
  }
  // Whether another client asked for `target` since the last `own`.
  bool wasAsked(const std::string& target);
  // Handles what the server sent meanwhile; never waits.
  void service();

  // The window that owns the selections it takes.
  xcb_window_t window() const { return window_; }

  std::optional<std::string> pasted;
  bool refused = false;
  // INCR chunks sent so far, the closing empty one included.
  std::size_t chunksSent = 0;
  bool dragAccepted = false;
  bool dropFinished = false;
  // Bytes above this go out, and come in, in INCR chunks.
  static constexpr std::size_t chunkSize = 256u << 10;

 private:
  xcb_atom_t atom(const std::string& name);
  // An unmapped top-level window with this WM_CLASS.
  xcb_window_t classedWindow(const std::string& instance, const std::string& className);
  void answer(const xcb_selection_request_event_t& request);
  void handle(const xcb_generic_event_t& event);
  void sendXdnd(xcb_window_t target, const std::string& message, std::uint32_t second,
                std::uint32_t third, std::uint32_t fourth = 0, std::uint32_t fifth = 0);

  xcb_connection_t* c_ = nullptr;
  xcb_window_t window_ = XCB_NONE;
  std::map<xcb_atom_t, std::string> offers_;
  bool silent_ = false;
  std::set<xcb_atom_t> asked_;
  // An INCR transfer out: requestor and property, the bytes and how many went.
  struct Outgoing {
    xcb_window_t requestor;
    xcb_atom_t property;
    std::string bytes;
    std::size_t sent;
  };
  std::optional<Outgoing> outgoing_;
  bool incoming_ = false;
  std::string received_;
};

}  // namespace dovrik::x11test
