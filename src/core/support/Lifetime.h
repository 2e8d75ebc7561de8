// Lets delayed closures hold their owner weakly: a wrapped closure does nothing once the
// owner (which keeps the Lifetime as a member) has been destroyed.
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace dovrik {

class Lifetime {
 public:
  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  // The closure takes whatever arguments `fn` takes.
  template <typename F>
  auto guard(F fn) const {
    return [alive = std::weak_ptr<const int>(token_), fn = std::move(fn)](auto&&... args) mutable {
      if (alive.lock())
        fn(std::forward<decltype(args)>(args)...);
    };
  }

 private:
  std::shared_ptr<const int> token_ = std::make_shared<const int>(0);
};

}  // namespace dovrik
