// The monitors as KWin describes them through kde_output_device_v2: per output (by its
// connector name) the EDID and what KWin read from it, and a notice whenever an output comes,
// goes or changes. Qt on Wayland leaves serial numbers and EDIDs out, so monitor identity
// comes from here.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Signal.h"
#include "linux/wayland/GlobalWatch.h"
#include "linux/wayland/WaylandConnection.h"

struct kde_output_device_v2;
struct kde_output_device_mode_v2;

namespace dovrik::kwin {

struct OutputDevice {
  std::string name;  // the connector, "DP-1"
  std::string manufacturer;
  std::string model;
  std::string serialNumber;
  std::string eisaId;
  std::string uuid;  // KWin's own identifier, kept across its restarts
  std::string edid;  // the raw bytes; empty when the output has none (virtual outputs)
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool enabled = true;
  friend bool operator==(const OutputDevice&, const OutputDevice&) = default;
};

class OutputDevices {
 public:
  explicit OutputDevices(wayland::WaylandConnection& connection);
  OutputDevices(const OutputDevices&) = delete;
  OutputDevices& operator=(const OutputDevices&) = delete;
  ~OutputDevices();

  // Every output KWin has described completely, in the order it announced them.
  std::vector<OutputDevice> devices() const;
  std::optional<OutputDevice> device(const std::string& name) const;

  // The display UUID of output `name`, computed the way the X11 adapters compute it, so that a
  // monitor keeps its UUID (and the layouts saved for it) across both sessions; nothing for an
  // unknown output.
  std::optional<std::string> displayUuid(const std::string& name) const;

  // Raised after an output came, went or changed.
  Signal<> changed;

 private:
  struct Tracked {
    OutputDevices* owner = nullptr;
    kde_output_device_v2* proxy = nullptr;
    std::uint32_t global = 0;
    OutputDevice pending;  // gathered until KWin says "done"
    std::optional<OutputDevice> current;
    std::vector<kde_output_device_mode_v2*> modes;
  };

  void add(const wayland::WaylandConnection::Global& global);
  void remove(std::uint32_t global);
  static void release(Tracked& tracked);

  wayland::WaylandConnection& connection_;
  std::vector<std::unique_ptr<Tracked>> tracked_;
  wayland::GlobalWatch watch_;
};

// The display UUID of output `name` among `devices`: what the X11 side computes for the same
// monitors. Pure, for the tests.
std::optional<std::string> displayUuidAmong(const std::vector<OutputDevice>& devices,
                                            const std::string& name);

}  // namespace dovrik::kwin
