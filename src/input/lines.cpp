#include "input/lines.h"

namespace balvix {

namespace {

constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';
constexpr char endOfText = '\x1A';
constexpr std::string_view lineEnds = "\r\n";

} // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
  // A byte 26 ends the text: whatever follows it is not read.
  text = text.substr(0, text.find(endOfText));

  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(lineEnds, start);
    if (end == std::string_view::npos) {
      // The last line needs no line end.
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    // A line feed right after a carriage return belongs to the same line end.
    if (text[end] == carriageReturn && start < text.size() && text[start] == lineFeed) {
      ++start;
    }
  }
  return lines;
}

std::size_t countNonEmptyLines(std::string_view text) {
  std::size_t count = 0;
  for (std::string_view line : splitLines(text)) {
    if (!line.empty()) {
      ++count;
    }
  }
  return count;
}

} // namespace balvix
