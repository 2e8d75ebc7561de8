// Enumerating monitors through RandR, newest interface first.
#include "linux/x11/RandrMonitors.h"

#include <algorithm>
#include <optional>

#include <xcb/randr.h>

#include "linux/x11/XReply.h"

namespace dovrik::x11 {

namespace {

std::optional<std::pair<std::uint32_t, std::uint32_t>> randrVersion(xcb_connection_t* c) {
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_randr_id);
  if (!ext || !ext->present)
    return std::nullopt;
  xcb_generic_error_t* error = nullptr;
  auto reply =
      takeReply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 6), &error), error);
  if (!reply)
    return std::nullopt;
  return std::make_pair(reply->major_version, reply->minor_version);
}

std::string atomName(xcb_connection_t* c, xcb_atom_t atom) {
  xcb_generic_error_t* error = nullptr;
  auto reply = takeReply(xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), &error), error);
  if (!reply)
    return {};
  return std::string(xcb_get_atom_name_name(reply.get()),
                     static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())));
}

std::vector<Monitor> rr15Monitors(xcb_connection_t* c, xcb_window_t root) {
  std::vector<Monitor> result;
  xcb_generic_error_t* error = nullptr;
  auto reply =
      takeReply(xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), &error), error);
  if (!reply)
    return result;
  for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
       xcb_randr_monitor_info_next(&it)) {
    const xcb_randr_monitor_info_t& m = *it.data;
    if (m.width == 0 || m.height == 0)
      continue;
    const xcb_randr_output_t* outputs = xcb_randr_monitor_info_outputs(&m);
    result.push_back({atomName(c, m.name),
                      m.x,
                      m.y,
                      m.width,
                      m.height,
                      m.primary != 0,
                      {outputs, outputs + xcb_randr_monitor_info_outputs_length(&m)}});
  }
  return result;
}

std::vector<Monitor> crtcMonitors(xcb_connection_t* c, xcb_window_t root) {
  std::vector<Monitor> result;
  xcb_generic_error_t* error = nullptr;
  auto resources = takeReply(xcb_randr_get_screen_resources_current_reply(
                                 c, xcb_randr_get_screen_resources_current(c, root), &error),
                             error);
  if (!resources)
    return result;
  auto primary = takeReply(
      xcb_randr_get_output_primary_reply(c, xcb_randr_get_output_primary(c, root), &error), error);
  const xcb_randr_output_t primaryOutput = primary ? primary->output : XCB_NONE;

  const xcb_randr_output_t* outputs =
      xcb_randr_get_screen_resources_current_outputs(resources.get());
  const int count = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
  for (int i = 0; i < count; ++i) {
    auto output = takeReply(
        xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, outputs[i], resources->config_timestamp), &error),
        error);
    if (!output || output->connection != XCB_RANDR_CONNECTION_CONNECTED || output->crtc == XCB_NONE)
      continue;
    auto crtc = takeReply(
        xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, output->crtc, resources->config_timestamp), &error),
        error);
    if (!crtc || crtc->width == 0 || crtc->height == 0)
      continue;
    std::string name(reinterpret_cast<const char*>(xcb_randr_get_output_info_name(output.get())),
                     static_cast<std::size_t>(xcb_randr_get_output_info_name_length(output.get())));
    result.push_back({std::move(name),
                      crtc->x,
                      crtc->y,
                      crtc->width,
                      crtc->height,
                      outputs[i] == primaryOutput,
                      {outputs[i]}});
  }
  return result;
}

Monitor wholeRoot(xcb_connection_t* c, xcb_window_t root) {
  xcb_generic_error_t* error = nullptr;
  auto geometry = takeReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, root), &error), error);
  if (!geometry)
    return {"screen", 0, 0, 0, 0, true, {}};
  return {"screen", 0, 0, geometry->width, geometry->height, true, {}};
}

}  // namespace

std::vector<Monitor> queryMonitors(xcb_connection_t* connection, xcb_window_t root) {
  std::vector<Monitor> monitors;
  if (const auto version = randrVersion(connection)) {
    const auto [major, minor] = *version;
    if (major > 1 || (major == 1 && minor >= 5))
      monitors = rr15Monitors(connection, root);
    if (monitors.empty())
      monitors = crtcMonitors(connection, root);
  }
  if (monitors.empty()) {
    const Monitor root_ = wholeRoot(connection, root);
    if (root_.width > 0 && root_.height > 0)
      monitors.push_back(root_);
    return monitors;
  }
  // The primary goes first; without one the first monitor stands in for it.
  const auto primary =
      std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  if (primary != monitors.end())
    std::rotate(monitors.begin(), primary, primary + 1);
  for (std::size_t i = 0; i < monitors.size(); ++i)
    monitors[i].primary = (i == 0);
  return monitors;
}

}  // namespace dovrik::x11
