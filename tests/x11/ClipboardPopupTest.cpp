// The clipboard popup end to end: the real `dovrik` agent, a text client with the keyboard
// focus, keys typed through the X server. The popup opens at the pointer without taking the
// focus or the active window from the client, takes the typing, and pastes the chosen entry
// into the client; Escape, a click elsewhere and the hotkey close it.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "AgentTest.h"
#include "ClipboardClient.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

using namespace dovrik::x11;

// Another connection that sees what the client's window sees of the keyboard.
class FocusWitness {
 public:
  FocusWitness(const std::string& display, xcb_window_t window)
      : c_(xcb_connect(display.c_str(), nullptr)) {
    const std::uint32_t mask =
        XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_FOCUS_CHANGE;
    xcb_change_window_attributes(c_, window, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
  }
  ~FocusWitness() { xcb_disconnect(c_); }
  FocusWitness(const FocusWitness&) = delete;
  FocusWitness& operator=(const FocusWitness&) = delete;

  void service() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
      const std::uint8_t type = event->response_type & 0x7f;
      if (type == XCB_KEY_PRESS) {
        const auto& key = *reinterpret_cast<xcb_key_press_event_t*>(event);
        presses.push_back({key.detail, key.state});
      } else if (type == XCB_FOCUS_OUT || type == XCB_FOCUS_IN) {
        const auto& focus = *reinterpret_cast<xcb_focus_in_event_t*>(event);
        if (focus.mode == XCB_NOTIFY_MODE_GRAB)
          ++grabs;
        if (focus.mode == XCB_NOTIFY_MODE_GRAB || focus.mode == XCB_NOTIFY_MODE_UNGRAB)
          keyboardGrabbed = focus.mode == XCB_NOTIFY_MODE_GRAB;
      }
      std::free(event);
    }
  }

  struct Press {
    xcb_keycode_t keycode;
    std::uint16_t state;
  };
  std::vector<Press> presses;
  // Another client holds the keyboard while the focus stays on the window.
  bool keyboardGrabbed = false;
  // How many times a keyboard grab began.
  int grabs = 0;

 private:
  xcb_connection_t* c_;
};

class ClipboardPopupTest : public AgentTest {
 protected:
  void SetUp() override {
    AgentTest::SetUp();
    ASSERT_TRUE(startAgent());
    other_ = std::make_unique<ClipboardClient>(server->display());
    window_ = client->createWindow({.rect = {200, 600, 500, 300}, .pid = 8101});
    ASSERT_TRUE(client->activate(window_));
    witness_ = std::make_unique<FocusWitness>(server->display(), window_);
    // The first key events synthesised on a fresh server could go missing (about one run in
    // three under load) before the hotkey ever reached a grab; a lone Shift first settles that.
    tap(XK_Shift_L);
  }
  void TearDown() override {
    witness_.reset();
    other_.reset();
    AgentTest::TearDown();
  }

  void xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    ASSERT_EQ(server->run(args), 0);
  }
  // The clipboard hotkey, Shift+Super+V, pressed and let go.
  void pressHotkey() { chord({XK_Shift_L, XK_Super_L}, XK_v); }
  bool copy(const std::string& text) { return copyListed(*other_, text); }
  bool waitFor(const std::function<bool()>& condition) {
    return client->waitFor([&] {
      other_->service();
      witness_->service();
      return condition();
    });
  }

  // The agent's popup while it is mapped.
  std::optional<Rect> popupFrame() {
    const xcb_window_t popup = popupWindow();
    if (popup == XCB_NONE)
      return std::nullopt;
    return client->clientRect(popup);
  }
  // Opens the popup by its hotkey and waits until it holds the keyboard: the hotkey's own grab
  // while its keys are down comes and goes first.
  bool openByHotkey() {
    const int grabs = witness_->grabs;
    pressHotkey();
    return waitFor(
        [&] { return popupShown() && witness_->grabs >= grabs + 2 && witness_->keyboardGrabbed; });
  }

  bool clientKeepsFocus() {
    xcb_connection_t* c = client->raw();
    auto* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool focused = focus && focus->focus == window_;
    std::free(focus);
    const auto active = client->property(client->root(), "_NET_ACTIVE_WINDOW");
    return focused && !active.empty() && active[0] == window_;
  }

  std::unique_ptr<ClipboardClient> other_;
  std::unique_ptr<FocusWitness> witness_;
  xcb_window_t window_ = XCB_NONE;
};

TEST_F(ClipboardPopupTest, OpensAtThePointerFiltersAndPastesIntoTheClientThatKeptTheFocus) {
  for (const char* text : {"x-one", "x-two", "other", "x-three"})
    ASSERT_TRUE(copy(text));
  xdotool({"mousemove", "500", "400"});
  ASSERT_TRUE(openByHotkey());
  // Centred on the pointer, its bottom edge 14 points above it.
  EXPECT_EQ(popupFrame(), (Rect{340, 400 - 14 - 282, 320, 282}));
  EXPECT_TRUE(clientKeepsFocus());

  // Filtered to the three x- entries, newest first; the third is the oldest.
  xdotool({"type", "x-"});
  xdotool({"key", "Down", "Down", "Return"});
  ASSERT_TRUE(waitFor([&] { return !popupShown(); }));
  const xcb_keycode_t v = client->keycodeOf(XK_v);
  ASSERT_TRUE(waitFor([&] {
    for (const auto& press : witness_->presses) {
      if (press.keycode == v && (press.state & XCB_MOD_MASK_CONTROL))
        return true;
    }
    return false;
  }));
  EXPECT_TRUE(clientKeepsFocus());
  other_->paste("UTF8_STRING");
  ASSERT_TRUE(waitFor([&] { return other_->pasted.has_value(); }));
  EXPECT_EQ(*other_->pasted, "x-one");
}

// Three entries gathered with Ctrl+Return and pasted with Return. The client pastes at each
// Ctrl+V it gets, as an editor does, and must receive the entries in the stack's order: the
// next entry may take the clipboard only after the client read the one before.
TEST_F(ClipboardPopupTest, AStackOfThreePastesArrivesInItsOrder) {
  for (const char* text : {"s-one", "s-two", "s-three"})
    ASSERT_TRUE(copy(text));
  xdotool({"mousemove", "500", "400"});
  ASSERT_TRUE(openByHotkey());
  // Rows newest first: s-three, s-two, s-one. Stacked: s-one, s-three, s-two.
  xdotool({"key", "Down", "Down", "ctrl+Return", "Up", "Up", "ctrl+Return", "Down", "ctrl+Return",
           "Return"});
  ASSERT_TRUE(waitFor([&] { return !popupShown(); }));

  const xcb_keycode_t v = client->keycodeOf(XK_v);
  std::vector<std::string> arrived;
  std::size_t handledPresses = 0;
  bool pasting = false;
  EXPECT_TRUE(waitFor([&] {
    if (pasting && other_->pasted) {
      arrived.push_back(*other_->pasted);
      pasting = false;
    }
    for (; !pasting && handledPresses < witness_->presses.size(); ++handledPresses) {
      const auto& press = witness_->presses[handledPresses];
      if (press.keycode == v && (press.state & XCB_MOD_MASK_CONTROL)) {
        other_->pasted.reset();
        other_->paste("UTF8_STRING");
        pasting = true;
      }
    }
    return arrived.size() == 3;
  }));
  EXPECT_EQ(arrived, (std::vector<std::string>{"s-one", "s-three", "s-two"}));
  EXPECT_TRUE(clientKeepsFocus());
}

TEST_F(ClipboardPopupTest, EscapeAClickElsewhereAndTheHotkeyCloseIt) {
  ASSERT_TRUE(copy("something"));
  xdotool({"mousemove", "900", "700"});
  const Finished opened = run({"clipboard", "popup"});
  EXPECT_EQ(opened.status, 0) << opened.err;
  ASSERT_TRUE(waitFor([&] { return popupShown() && witness_->keyboardGrabbed; }));
  xdotool({"key", "Escape"});
  ASSERT_TRUE(waitFor([&] { return !popupShown() && !witness_->keyboardGrabbed; }));

  // Near the top of the screen it opens below the pointer.
  xdotool({"mousemove", "900", "30"});
  ASSERT_TRUE(openByHotkey());
  EXPECT_EQ(popupFrame(), (Rect{740, 30 + 14, 320, 282}));
  // A click inside keeps it open; one elsewhere closes it.
  // xdotool({"mousemove", "744", "48", "click", "1"});
  xdotool({"mousemove", "100", "900", "click", "1"});
  ASSERT_TRUE(waitFor([&] { return !popupShown(); }));

  ASSERT_TRUE(openByHotkey());
  pressHotkey();
  ASSERT_TRUE(waitFor([&] { return !popupShown(); }));
  EXPECT_TRUE(clientKeepsFocus());
}

// A rich-text copy pasted from the popup: Return gives an application that asks for html the
// original html; Shift+Return leaves it no html to take, only the text.
TEST_F(ClipboardPopupTest, ReturnPastesTheHtmlAndShiftReturnThePlainTextAlone) {
  const std::string html = "<p>rich <b>words</b></p>";
  other_->own({{"UTF8_STRING", "rich words"}, {"text/html", html}});
  ASSERT_TRUE(waitFor([&] {
    return run({"clipboard", "list"}).out.find("rich words") != std::string::npos;
  }));
  ASSERT_TRUE(copy("newer"));
  xdotool({"mousemove", "500", "400"});
  const xcb_keycode_t v = client->keycodeOf(XK_v);
  // Opens the popup, types `keys` into it and waits for the paste keystroke in the client.
  const auto pasteWith = [&](std::vector<std::string> keys) {
    const std::size_t before = witness_->presses.size();
    if (!openByHotkey())
      return false;
    keys.insert(keys.begin(), "key");
    xdotool(keys);
    return waitFor([&] {
      return !popupShown() &&
             std::any_of(witness_->presses.begin() + static_cast<std::ptrdiff_t>(before),
                         witness_->presses.end(), [&](const FocusWitness::Press& press) {
                           return press.keycode == v && (press.state & XCB_MOD_MASK_CONTROL);
                         });
    });
  };
  const auto pasted = [&](const std::string& target) {
    return other_->pasteWaiting(target, [&](const auto& done) { return waitFor(done); });
  };

  ASSERT_TRUE(pasteWith({"Down", "Return"}));
  EXPECT_EQ(pasted("text/html"), html);
  EXPECT_EQ(pasted("UTF8_STRING"), "rich words");

  // The pasted entry is the first row now.
  ASSERT_TRUE(pasteWith({"shift+Return"}));
  EXPECT_EQ(pasted("text/html"), std::nullopt);
  EXPECT_EQ(pasted("UTF8_STRING"), "rich words");
}

// A file manager's drag: two files, one with a space in its name, dragged over the open popup
// and dropped; both land on the shelf.
TEST_F(ClipboardPopupTest, FilesDraggedFromAnotherApplicationLandOnTheShelf) {
  for (const char* name : {"Report 1.pdf", "notes.txt"})
    std::ofstream(session_ + "/" + name) << "x";
  const std::string urls =
      "file://" + session_ + "/Report%201.pdf\r\nfile://" + session_ + "/notes.txt\r\n";
  xdotool({"mousemove", "500", "400"});
  const Finished opened = run({"clipboard", "popup"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  ASSERT_TRUE(waitFor([&] { return popupShown(); }));
  const xcb_window_t popup = popupWindow();
  EXPECT_FALSE(client->property(popup, "XdndAware").empty());
  const Rect frame = *popupFrame();

  other_->dragOver(popup, "text/uri-list", urls, static_cast<int>(frame.midX()),
                   static_cast<int>(frame.midY()));
  ASSERT_TRUE(waitFor([&] { return other_->dragAccepted; }));
  other_->drop(popup);
  ASSERT_TRUE(waitFor([&] { return other_->dropFinished; }));
  const Finished listed = run({"shelf", "list"});
  EXPECT_NE(listed.out.find(session_ + "/Report 1.pdf"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find(session_ + "/notes.txt"), std::string::npos) << listed.out;
}

}  // namespace
}  // namespace dovrik::x11test
