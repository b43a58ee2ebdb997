#include "input/fields.h"

#include <limits>

namespace balvix {

std::string storedText(std::string_view text) {
  return std::string(text.substr(0, longestStoredText));
}

std::vector<std::string_view> splitFields(std::string_view line, std::size_t count) {
  std::vector<std::string_view> fields;
  fields.reserve(count);
  std::size_t start = 0;
  while (fields.size() < count && start <= line.size()) {
    std::size_t bar = line.find('|', start);
    if (bar == std::string_view::npos) {
      fields.push_back(line.substr(start));
      break;
    }
    fields.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  fields.resize(count);
  return fields;
}

void FaultLog::report(std::size_t lineNumber, std::string_view message) {
  reportFile(std::string(" L\xEDnea ").append(std::to_string(lineNumber)).append(message));
}

void FaultLog::reportFile(std::string_view message) {
  // The count never wraps round to zero, which would let a run go ahead.
  if (count_ < std::numeric_limits<std::int32_t>::max()) {
    ++count_;
  }
  std::string line(file_);
  line += message;
  if (sink_) {
    sink_(line);
  }
}

} // namespace balvix
