// A minimal observer list: views and managers subscribe to changes of observable state.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace dovrik {

template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;
  using Connection = std::uint64_t;

  Connection connect(Slot slot) {
    const Connection id = next_++;
    slots_.emplace(id, std::move(slot));
    return id;
  }
  void disconnect(Connection id) { slots_.erase(id); }

  // Slots may connect or disconnect others while being notified; a snapshot keeps that safe.
  void emit(Args... args) const {
    const auto snapshot = slots_;
    for (const auto& [id, slot] : snapshot)
      slot(args...);
  }

 private:
  std::map<Connection, Slot> slots_;
  Connection next_ = 1;
};

}  // namespace dovrik
