#pragma once

#include <string_view>

namespace balvix {

// The page's engine, a WebAssembly module built from the same sources as the
// programs (cmake/WasmEngine.cmake) and embedded into balvix-grafico when it
// is built; empty in a build without a compiler for it.
std::string_view engineModule();

} // namespace balvix
