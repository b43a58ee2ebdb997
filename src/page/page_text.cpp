#include "page/page_text.h"

#include "projection/hundredths.h"
#include "projection/money.h"
#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace balvix {

namespace {

constexpr std::array<std::string_view, 12> monthNames = {
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

} // namespace

void appendJsonAmount(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  std::array<char, 24> buffer{};
  std::string large;
  const std::string_view hundredths = hundredthsDigits(std::fabs(value), buffer, large);
  if (value < 0 && !hundredths.empty()) {
    out += '-';
  }
  if (hundredths.size() <= 2) {
    out += "0.";
    out.append(2 - hundredths.size(), '0');
    out += hundredths;
    return;
  }
  out += hundredths.substr(0, hundredths.size() - 2);
  out += '.';
  out += hundredths.substr(hundredths.size() - 2);
}

void appendJsonDate(std::string& out, const DateParts& date) {
  out += '"';
  appendIsoDate(out, date);
  out += '"';
}

std::string jsonAmount(double value) {
  std::string json;
  appendJsonAmount(json, value);
  return json;
}

std::string pageAmount(double value) {
  if (!std::isfinite(value)) {
    // A sum beyond any number (two amounts of 1e308 put in), in words.
    return "no cabe en un n\xC3\xBAmero";
  }
  const std::string hundredths = roundedHundredths(value);
  std::string text;
  if (value < 0 && !hundredths.empty()) {
    text += '-';
  }
  if (hundredths.size() <= 2) {
    text += '0';
  }
  appendGrouped(text, false, hundredths);
  return text;
}

void appendExactAmount(std::string& out, const ExactAmount& amount) {
  if (amount.units.empty()) {
    out += '0';
  }
  appendThousands(out, amount.units);
  out += '\'';
  out += amount.fraction;
  out.append(2 - std::min<std::size_t>(2, amount.fraction.size()), '0');
}

void appendCount(std::string& out, std::int64_t number) {
  std::array<char, 24> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  appendThousands(out,
                  std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
}

std::string_view monthName(int month) {
  return monthNames[static_cast<std::size_t>(month - 1) % monthNames.size()];
}

void appendHtmlEscaped(std::string& out, std::string_view cp1252) {
  for (char c : cp1252) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\'':
      out += "&#39;";
      break;
    default: {
      char32_t character = characterOf1252(static_cast<unsigned char>(c));
      bool control =
          (character < 0x20 && character != '\t' && character != '\n' && character != '\r') ||
          (character >= 0x7F && character <= 0x9F);
      appendUtf8(out, control ? U' ' : character);
    }
    }
  }
}

namespace {

// One character of a JSON string, escaped so that the string can stand in
// a script element of the page; with `escapeFrom`, every character from it
// to 0xFF is escaped too.
void appendJsonCharacter(std::string& out, char32_t character, char32_t escapeFrom = 0x100) {
  if (character == '"' || character == '\\') {
    out += '\\';
    out += static_cast<char>(character);
  } else if (character < 0x20 || character == '<' || character == '>' || character == '&' ||
             (character >= escapeFrom && character <= 0xFF)) {
    constexpr std::string_view hex = "0123456789abcdef";
    out += "\\u00";
    out += hex[character >> 4];
    out += hex[character & 0xF];
  } else {
    appendUtf8(out, character);
  }
}

} // namespace

void appendJsonString(std::string& out, std::string_view cp1252) {
  out += '"';
  // Runs of printable ASCII that needs no escape go in whole.
  std::size_t plain = 0;
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp1252[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&') {
      continue;
    }
    out += cp1252.substr(plain, i - plain);
    appendJsonCharacter(out, characterOf1252(c));
    plain = i + 1;
  }
  out += cp1252.substr(plain);
  out += '"';
}

void appendBase64(std::string& out, std::string_view bytes) {
  constexpr std::string_view digits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto byte = k < count ? static_cast<unsigned char>(bytes[i + k]) : 0U;
      group = (group << 8) | byte;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? digits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
}

void appendJsonBytes(std::string& out, std::string_view bytes) {
  out += '"';
  for (char c : bytes) {
    appendJsonCharacter(out, static_cast<unsigned char>(c), 0x7F);
  }
  out += '"';
}

} // namespace balvix
