#include "platform/win32/handle.h"

namespace balvix {

bool Handle::close() {
  HANDLE handle = release();
  return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
}

} // namespace balvix
