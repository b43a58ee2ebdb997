#pragma once

#include <utility>

#include <windows.h>

namespace balvix {

// Closes a handle of the system when it goes out of scope.
class Handle {
public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  // False when the system reports the close as failed. The handle is
  // released whatever close() answers: it is never closed twice.
  bool close();

private:
  HANDLE handle_;
};

} // namespace balvix
