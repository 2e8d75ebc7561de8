// Building the screen list from RandR monitors and the docks' struts.
#include "linux/x11/X11Screens.h"

#include <xcb/randr.h>

#include "core/windows/ScreenGeometry.h"
#include "linux/display/DisplayUuid.h"
#include "linux/x11/UsableArea.h"

namespace dovrik::x11 {

namespace {

using display::DisplaySource;
using display::Edid;

// The base block is all an identity needs; extension blocks are left on the server.
constexpr std::uint32_t edidBaseWords = 128 / 4;

std::optional<Edid> edidOf(xcb_connection_t* c, xcb_atom_t edidAtom, xcb_randr_output_t output) {
  xcb_generic_error_t* error = nullptr;
  auto reply = takeReply(
      xcb_randr_get_output_property_reply(
          c,
          xcb_randr_get_output_property(c, output, edidAtom, XCB_ATOM_ANY, 0, edidBaseWords, 0, 0),
          &error),
      error);
  if (!reply || reply->format != 8)
    return std::nullopt;
  return Edid::parse(
      {reinterpret_cast<const char*>(xcb_randr_get_output_property_data(reply.get())),
       static_cast<std::size_t>(xcb_randr_get_output_property_data_length(reply.get()))});
}

std::string outputName(xcb_connection_t* c, xcb_randr_output_t output) {
  xcb_generic_error_t* error = nullptr;
  auto info = takeReply(xcb_randr_get_output_info_reply(
                            c, xcb_randr_get_output_info(c, output, XCB_CURRENT_TIME), &error),
                        error);
  if (!info)
    return {};
  return {reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
          static_cast<std::size_t>(xcb_randr_get_output_info_name_length(info.get()))};
}

// A monitor spread over several outputs is named after the first of them with a valid EDID.
DisplaySource sourceOf(xcb_connection_t* c, xcb_atom_t edidAtom, const Monitor& monitor) {
  for (const xcb_randr_output_t output : monitor.outputs) {
    if (auto edid = edidOf(c, edidAtom, output))
      return {monitor.name, outputName(c, output), std::move(edid)};
  }
  return {monitor.name, {}, std::nullopt};
}

}  // namespace

X11Screens::X11Screens(XConnection& connection, ClientWindows& clients, ActiveWindow& activeWindow,
                       I3Placement& i3)
    : x_(connection), clients_(clients), activeWindow_(activeWindow), i3_(i3) {
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) { noteEvent(event); });
}

X11Screens::~X11Screens() {
  x_.events.disconnect(subscription_);
}

void X11Screens::noteEvent(const xcb_generic_event_t& event) {
  if (changesMonitors(event)) {
    cache_.reset();
    identities_.reset();
    changed.emit();
    return;
  }
  if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
    return;
  const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
  const XAtoms& a = x_.atoms();
  // The work area changes with struts and the window manager's own panels, and may differ
  // between desktops; the client list brings and takes docks; the strut properties themselves
  // cover a missing window manager.
  if (notify.atom == a._NET_WORKAREA || notify.atom == a._NET_CURRENT_DESKTOP ||
      notify.atom == a._NET_CLIENT_LIST || notify.atom == a._NET_WM_STRUT ||
      notify.atom == a._NET_WM_STRUT_PARTIAL) {
    cache_.reset();
  }
}

bool X11Screens::changesMonitors(const xcb_generic_event_t& event) const {
  const std::uint8_t type = event.response_type & 0x7f;
  // Under Xvfb, `xrandr --setmonitor` and `--delmonitor` may send only this.
  if (type == XCB_CONFIGURE_NOTIFY)
    return reinterpret_cast<const xcb_configure_notify_event_t&>(event).window == x_.root();
  const auto* randr = xcb_get_extension_data(x_.raw(), &xcb_randr_id);
  if (!randr || !randr->present)
    return false;
  if (type == randr->first_event + XCB_RANDR_SCREEN_CHANGE_NOTIFY)
    return true;
  if (type != randr->first_event + XCB_RANDR_NOTIFY)
    return false;
  const auto& notify = reinterpret_cast<const xcb_randr_notify_event_t&>(event);
  // Of the output properties only the EDID names a monitor; others, such as a backlight
  // level, change while nothing about the screens does.
  if (notify.subCode == XCB_RANDR_NOTIFY_OUTPUT_PROPERTY)
    return notify.u.op.atom == x_.atoms().EDID;
  return notify.subCode == XCB_RANDR_NOTIFY_CRTC_CHANGE ||
         notify.subCode == XCB_RANDR_NOTIFY_OUTPUT_CHANGE ||
         notify.subCode == XCB_RANDR_NOTIFY_RESOURCE_CHANGE;
}

const std::vector<std::string>& X11Screens::displayUuids() {
  const std::vector<Monitor>& monitors = x_.monitors();
  if (!identities_ || identities_->monitors != monitors) {
    std::vector<DisplaySource> sources;
    for (const Monitor& monitor : monitors)
      sources.push_back(sourceOf(x_.raw(), x_.atoms().EDID, monitor));
    identities_ = Identities{monitors, display::displayUuids(sources)};
  }
  return identities_->uuids;
}

std::vector<Screen> X11Screens::build() {
  std::vector<Screen> result;
  if (!x_.isConnected())
    return result;
  xcb_generic_error_t* error = nullptr;
  auto rootGeometry = takeReply(
      xcb_get_geometry_reply(x_.raw(), xcb_get_geometry(x_.raw(), x_.root()), &error), error);
  if (!rootGeometry)
    return result;
  const int rootWidth = rootGeometry->width;
  const int rootHeight = rootGeometry->height;

  std::vector<Strut> struts;
  for (const xcb_window_t window : clients_.clientList()) {
    // Reading watches the window, so later changes of its reservation are heard.
    auto values = x_.cardinals(window, x_.atoms()._NET_WM_STRUT_PARTIAL, XCB_ATOM_CARDINAL);
    if (values.size() < 12)
      values = x_.cardinals(window, x_.atoms()._NET_WM_STRUT, XCB_ATOM_CARDINAL);
    if (const auto strut = Strut::fromValues(values, rootWidth, rootHeight))
      struts.push_back(*strut);
  }
  x_.flush();

  const auto desktop = x_.cardinals(x_.root(), x_.atoms()._NET_CURRENT_DESKTOP, XCB_ATOM_CARDINAL);
  const std::optional<PixelRect> workArea =
      workAreaOf(x_.cardinals(x_.root(), x_.atoms()._NET_WORKAREA, XCB_ATOM_CARDINAL),
                 desktop.empty() ? 0 : desktop[0]);

  const std::vector<std::string>& uuids = displayUuids();
  const std::vector<Monitor>& monitors = x_.monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const Monitor& monitor = monitors[i];
    const PixelRect wholeMonitor{monitor.x, monitor.y, monitor.width, monitor.height};
    const PixelRect usable =
        i3_.usableArea(wholeMonitor)
            .value_or(withinWorkArea(usableArea(monitor, struts, rootWidth, rootHeight), workArea));
    Screen screen;
    screen.displayId = displayIdForName(monitor.name);
    screen.name = monitor.name;
    screen.uuid = uuids[i];
    screen.frame =
        x_.rootToDesktop({static_cast<double>(monitor.x), static_cast<double>(monitor.y),
                          static_cast<double>(monitor.width), static_cast<double>(monitor.height)});
    screen.visibleFrame =
        x_.rootToDesktop({static_cast<double>(usable.x), static_cast<double>(usable.y),
                          static_cast<double>(usable.width), static_cast<double>(usable.height)});
    result.push_back(std::move(screen));
  }
  return result;
}

std::vector<Screen> X11Screens::screens() {
  if (!cache_ || i3_.manages())
    cache_ = build();
  return *cache_;
}

std::optional<Screen> X11Screens::mainScreen() {
  const auto all = screens();
  if (all.empty())
    return std::nullopt;
  if (const auto active = activeWindow_.current()) {
    if (const auto frame = clients_.outerFrame(*active)) {
      if (const auto index = screenIndexForFrame(all, x_.rootToDesktop(*frame)))
        return all[*index];
    }
  }
  return all.front();
}

std::optional<Point> X11Screens::mouseLocation() {
  if (const auto location = x_.pointerLocation())
    return flipPoint(*location, x_.primaryHeight());
  return std::nullopt;
}

}  // namespace dovrik::x11
