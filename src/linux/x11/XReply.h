// Ownership of xcb replies: every reply is malloc'ed by xcb and must be freed exactly once.
#pragma once

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace dovrik::x11 {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

template <typename T>
using XReply = std::unique_ptr<T, FreeDeleter>;

// Takes a reply and drops the error that came instead of it: for our queries an error reply
// means the window (or the extension) is gone, which callers treat as "no value".
template <typename T>
XReply<T> takeReply(T* reply, xcb_generic_error_t* error) {
  std::free(error);
  return XReply<T>(reply);
}

}  // namespace dovrik::x11
