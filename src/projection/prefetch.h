#pragma once

namespace balvix {

// Asks the processor to bring the memory at `address` into its caches before
// it is used. A hint only: what the program does is the same with it or
// without it, and with a compiler that has no such hint it does nothing.
inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

} // namespace balvix
