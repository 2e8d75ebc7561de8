// A question a panel asks before something that cannot be undone: asked, then confirmed or
// cancelled. A confirmation that was not asked for (a late click) does nothing.
#pragma once

#include <optional>
#include <utility>

#include "core/settings/Confirmation.h"

namespace dovrik {

class ConfirmationRequest {
 public:
  explicit ConfirmationRequest(Confirmation texts) : texts_(std::move(texts)) {}

  void ask() { asked_ = true; }
  // The dialog while it is asked.
  std::optional<Confirmation> shown() const {
    return asked_ ? std::optional<Confirmation>(texts_) : std::nullopt;
  }
  // Ends the question; answers whether it was asked, so the caller goes ahead.
  bool confirm() { return std::exchange(asked_, false); }
  void cancel() { asked_ = false; }

 private:
  Confirmation texts_;
  bool asked_ = false;
};

}  // namespace dovrik
