#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace balvix {

// The lines of a text file's bytes, as the program's input files are read: a
// line ends at a carriage return followed by a line feed, at a carriage return
// alone or at a line feed alone, so files saved on any system read alike; a
// byte 26 ends the text, and a UTF-8 byte-order mark at its very start is no
// part of it. The last line needs no line end; a text that ends
// with a line end has no empty line after it. Lines have no length limit and
// hold neither byte 13 nor byte 10. The views point into `text`.
std::vector<std::string_view> splitLines(std::string_view text);

// True when something besides further 26s, blanks, tabs, carriage returns and
// line feeds follows the first byte 26 of the text: text that splitLines does
// not read, which a reader must not drop without a word.
bool hasTextAfterEnd(std::string_view text);

} // namespace balvix
