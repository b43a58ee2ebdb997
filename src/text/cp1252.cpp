#include "text/cp1252.h"

#include <array>
#include <cstddef>

namespace balvix {

namespace {

// The characters of the bytes 0x80 to 0x9F; 0 where Windows-1252 has none.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char byteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(c);
  }
  for (std::size_t i = 0; i < highControls.size(); ++i) {
    if (highControls[i] == c) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

// Decodes one UTF-8 character at `pos`, advancing it; a malformed sequence
// gives U+FFFD and skips one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
  pos += length;
  if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return 0xFFFD;
  }
  return c;
}

} // namespace

char32_t characterOf1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char32_t c = highControls[byte - 0x80];
    return c != 0 ? c : byte;
  }
  return byte;
}

void appendUtf8(std::string& out, char32_t character) {
  const char32_t c = character;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string utf8From1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    appendUtf8(out, characterOf1252(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string cp1252FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    out += byteOf(decodeUtf8(text, pos));
  }
  return out;
}

std::string lowerCase1252(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      byte += 0x20; // A-Z, and À to Þ but the sign ×
    } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
      byte += 0x10; // Š, Œ, Ž
    } else if (byte == 0x9F) {
      byte = 0xFF; // Ÿ
    }
    c = static_cast<char>(byte);
  }
  return lowered;
}

bool hasTextEnding(std::string_view name) {
  return name.size() >= textFileEnding.size() &&
         lowerCase1252(name.substr(name.size() - textFileEnding.size())) == textFileEnding;
}

bool isOfferedTextFile(std::string_view name) {
  return hasTextEnding(name) && (!name.starts_with('.') || name.size() == textFileEnding.size());
}

std::string_view withoutTextEnding(std::string_view name) {
  if (hasTextEnding(name)) {
    name.remove_suffix(textFileEnding.size());
  }
  return name;
}

} // namespace balvix
