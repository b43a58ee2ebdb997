#include "chart/page_text.h"

#include "projection/money.h"
#include "text/cp1252.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace balvix {

std::string jsonAmount(double value) {
  if (!std::isfinite(value)) {
    return "null";
  }
  std::string json;
  for (char c : formatMoney(value)) {
    if (c == '\'') {
      if (json.empty() || json == "-") {
        json += '0';
      }
      json += '.';
    } else if (c != '.') {
      json += c;
    }
  }
  return json;
}

std::string pageAmountOf(std::string text) {
  const std::size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() > sign && text[sign] == '\'') {
    text.insert(sign, 1, '0');
  }
  return text;
}

std::string pageAmount(double value) {
  return pageAmountOf(formatMoney(value));
}

double shownAmount(double value) {
  std::string json = jsonAmount(value);
  double shown = std::numeric_limits<double>::quiet_NaN();
  std::from_chars(json.data(), json.data() + json.size(), shown);
  return shown;
}

void appendHtmlText(std::string& out, std::string_view cp1252) {
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

void appendJsonString(std::string& out, std::string_view cp1252) {
  out += '"';
  for (char c : cp1252) {
    char32_t character = characterOf1252(static_cast<unsigned char>(c));
    if (character == '"' || character == '\\') {
      out += '\\';
      out += static_cast<char>(character);
    } else if (character < 0x20 || character == '<' || character == '>' || character == '&') {
      constexpr std::string_view hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[character >> 4];
      out += hex[character & 0xF];
    } else {
      appendUtf8(out, character);
    }
  }
  out += '"';
}

} // namespace balvix
