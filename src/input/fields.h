#pragma once

#include "input/entries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// Texts kept in the records hold at most this many characters.
inline constexpr std::size_t longestStoredText = 255;

// The text as a record keeps it: its first 255 characters.
std::string storedText(std::string_view text);

// Exactly `count` fields of a line split at every "|", with no quoting and
// nothing trimmed. Fields the line does not reach are empty; text after the
// last wanted field is ignored.
std::vector<std::string_view> splitFields(std::string_view line, std::size_t count);

// The fault of an input file with text after its byte 26, logged with the
// number the reader would give its next line.
inline constexpr std::string_view textAfterEndFault =
    " [fin de texto] hay texto tras el caracter 26 ...";

// The fault of an input file that is there but cannot be read (no permission,
// held by another program, a directory of that name), logged after its name.
inline constexpr std::string_view unreadableFileFault =
    " [fichero] es erroneo, no se puede leer ...";

// The faults of one input file, named by its path in the program directory
// ("entrada.txt", "escenarios/coche.txt"): each one raises the count by 1 and
// sends its line to the sink.
class FaultLog {
public:
  FaultLog(std::string_view file, const ErrorSink& sink, std::int32_t& count)
      : file_(file), sink_(sink), count_(count) {}

  // A fault of a line: "entrada.txt Línea 3" and the message.
  void report(std::size_t lineNumber, std::string_view message);
  // A fault of the file as a whole: its name and the message, no line.
  void reportFile(std::string_view message);

private:
  std::string_view file_;
  const ErrorSink& sink_;
  std::int32_t& count_;
};

} // namespace balvix
