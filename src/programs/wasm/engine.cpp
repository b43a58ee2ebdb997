// The engine of the chart page, built as a WebAssembly module: the page
// writes a request's bytes (engine_bytes.h) into the block balvix_input(size)
// returns; balvix_run() answers it (engine.h) and returns the size of the
// answer's bytes, which balvix_output() points to. No system is reached.

#include "engine/engine.h"
#include "engine/engine_bytes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

std::string request;
std::string answer;
// Keeps the plan walked from one request to the next (a key typed).
balvix::Engine engine;

} // namespace

extern "C" {

// The block of `size` bytes the page writes its request into.
char* balvix_input(std::uint32_t size) {
  request.assign(size, '\0');
  return request.data();
}

// Answers the request; the size of the answer.
std::uint32_t balvix_run() {
  const std::optional<balvix::EngineRequest> asked = balvix::requestOf(request);
  balvix::EngineAnswer told;
  if (asked) {
    told = engine.answer(*asked);
  } else {
    told.status = balvix::EngineStatus::malformed;
  }
  answer = balvix::bytesOf(told);
  return static_cast<std::uint32_t>(answer.size());
}

// The answer of the last run.
const char* balvix_output() {
  return answer.data();
}

} // extern "C"
