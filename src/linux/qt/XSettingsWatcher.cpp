// A settings manager announces a new ownership with a MANAGER client message on the root
// window; its owner window going away means the settings are gone until the next one.
#include "linux/qt/XSettingsWatcher.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "linux/qt/XSettings.h"

namespace dovrik::qt {
namespace {

// Settings blobs are a few kilobytes; a larger one is read up to this many 32-bit units.
constexpr std::uint32_t maxSettingsUnits = 256 * 1024;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(
          connection,
          xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
          nullptr),
      &std::free);
  return reply ? reply->atom : XCB_NONE;
}

}  // namespace

XSettingsWatcher::XSettingsWatcher(QObject* parent) : QObject(parent) {
  int screenNumber = 0;
  connection_ = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection_))
    return;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
    xcb_screen_next(&screens);
  if (screens.rem == 0)
    return;
  root_ = screens.data->root;
  selection_ = internAtom(connection_, "_XSETTINGS_S" + std::to_string(screenNumber));
  settings_ = internAtom(connection_, "_XSETTINGS_SETTINGS");
  manager_ = internAtom(connection_, "MANAGER");
  const std::uint32_t rootEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &rootEvents);

  notifier_ =
      new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { handleEvents(); });
  followOwner();
  handleEvents();
}

XSettingsWatcher::~XSettingsWatcher() {
  delete notifier_;
  xcb_disconnect(connection_);
}

void XSettingsWatcher::handleEvents() {
  bool changed = false;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
    switch (event->response_type & 0x7F) {
      case XCB_CLIENT_MESSAGE: {
        const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
        changed |= message->type == manager_ && message->data.data32[1] == selection_;
        break;
      }
      case XCB_DESTROY_NOTIFY:
        changed |= reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == owner_;
        break;
      case XCB_PROPERTY_NOTIFY: {
        const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
        changed |= property->window == owner_ && property->atom == settings_;
        break;
      }
      default:
        break;
    }
  }
  if (!changed)
    return;
  const std::optional<std::string> before = themeName_;
  followOwner();
  if (themeName_ != before)
    Q_EMIT themeNameChanged();
}

void XSettingsWatcher::followOwner() {
  const ReplyPtr<xcb_get_selection_owner_reply_t> reply(
      xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_),
                                    nullptr),
      &std::free);
  owner_ = reply ? reply->owner : XCB_NONE;
  if (owner_ != XCB_NONE) {
    const std::uint32_t ownerEvents =
        XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    // The owner may already be gone; its DestroyNotify is then simply never seen, and the
    // property read below finds nothing.
    xcb_change_window_attributes(connection_, owner_, XCB_CW_EVENT_MASK, &ownerEvents);
  }
  readThemeName();
}

void XSettingsWatcher::readThemeName() {
  themeName_.reset();
  if (owner_ == XCB_NONE)
    return;
  const ReplyPtr<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(
          connection_,
          xcb_get_property(connection_, 0, owner_, settings_, settings_, 0, maxSettingsUnits),
          nullptr),
      &std::free);
  if (!reply || reply->format != 8)
    return;
  const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
  const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
  themeName_ = xsettingsString(std::span(bytes, length), "Net/ThemeName");
}

}  // namespace dovrik::qt
