#include "input/lines.h"

#include <algorithm>

namespace balvix {

namespace {

constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';
constexpr char endOfText = '\x1A';
// What some editors write at the start of a file saved as UTF-8.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
  // A byte 26 ends the text: whatever follows it is not read.
  text = text.substr(0, text.find(endOfText));
  // A byte-order mark is no part of the first line.
  if (text.starts_with(byteOrderMark)) {
    text.remove_prefix(byteOrderMark.size());
  }

  std::vector<std::string_view> lines;
  // Room for the lines of a file with line feeds, at once.
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), lineFeed)) + 1);
  // The next carriage return and line feed at or after `start`, each looked
  // for again only once passed, so that the text is scanned once.
  std::size_t nextReturn = text.find(carriageReturn);
  std::size_t nextFeed = text.find(lineFeed);
  std::size_t start = 0;
  while (start < text.size()) {
    if (nextReturn < start) {
      nextReturn = text.find(carriageReturn, start);
    }
    if (nextFeed < start) {
      nextFeed = text.find(lineFeed, start);
    }
    std::size_t end = std::min(nextReturn, nextFeed);
    if (end == std::string_view::npos) {
      // The last line needs no line end.
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    // A line feed right after a carriage return belongs to the same line end.
    if (end == nextReturn && start == nextFeed) {
      ++start;
    }
  }
  return lines;
}

bool hasTextAfterEnd(std::string_view text) {
  std::size_t end = text.find(endOfText);
  return end != std::string_view::npos &&
         text.find_first_not_of("\x1A \t\r\n", end) != std::string_view::npos;
}

} // namespace balvix
