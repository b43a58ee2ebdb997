#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace balvix {

// The lines of a text file's bytes, as the program's input files are read: a
// line ends at a carriage return, a line feed right after it belongs to that
// line end, a line feed anywhere else stays in the line's text, and a byte 26
// ends the text. The last line needs no line end; a text that ends with a line
// end has no empty line after it. Lines have no length limit. The views point
// into `text`.
std::vector<std::string_view> splitLines(std::string_view text);

// Number of lines of the text, delimited as splitLines does, that hold at
// least one character. Lines of blanks and comment lines count.
std::size_t countNonEmptyLines(std::string_view text);

} // namespace balvix
