#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/entries.h"

namespace balvix::testing {

// What a reader kept, and its error log with each line cut after the field's
// label ("entrada.txt Línea 2 [dinero]"), so that tables can name faulty
// fields by number. Whole messages are compared byte for byte elsewhere.
template <typename Read> struct Parsed {
  Read read;
  std::vector<std::string> log;
};

template <typename Read, typename Parse>
Parsed<Read> parseLogged(Parse parse, std::string_view text) {
  Parsed<Read> parsed;
  parsed.read = parse(text, [&parsed](std::string_view line) {
    parsed.log.emplace_back(line.substr(0, line.find(']') + 1));
  });
  return parsed;
}

// The cut log lines of the faulty fields of line k: `fields` holds their
// numbers as digits ("25": fields 2 and 5), `labels` the label of each field
// number.
inline std::vector<std::string> faultLines(std::string_view prefix,
                                           std::span<const std::string> labels, std::size_t k,
                                           std::string_view fields) {
  std::vector<std::string> lines;
  for (char field : fields) {
    lines.push_back(std::string(prefix) + std::to_string(k) + " [" +
                    labels[static_cast<std::size_t>(field - '0')] + "]");
  }
  return lines;
}

} // namespace balvix::testing
