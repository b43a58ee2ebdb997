#pragma once

#include "calendar/calendar.h"
#include "projection/cents.h"
#include "projection/money.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace balvix {

// The text forms of the chart page, which is UTF-8. Amounts are rounded to
// the cent exactly as the report rounds them (roundedHundredths), so the
// page's figures, its data and the report always agree.

// An amount as a JSON number with two decimals: 1234.5 gives 1234.50, 0.5
// 0.50, -0.125 -0.12, -0.004 0.00; a value that is not finite gives null.
std::string jsonAmount(double value);
void appendJsonAmount(std::string& out, double value);

// Appends a date as a JSON string of its ISO form: "2027-01-31".
void appendJsonDate(std::string& out, const DateParts& date);

// An amount as the page writes it: the report's text with a 0 before "'" when
// there is no unit digit, so that 0.5 gives 0'50, -0.5 -0'50 and 0 0'00;
// 1234.5 gives 1.234'50 as in the report. A value that is not finite (a sum
// beyond any number) gives the words "no cabe en un número", in UTF-8.
std::string pageAmount(double value);

// Appends an amount held exactly (a target) in the page's form, every decimal
// it has kept and at least two: 2000 gives 2.000'00, 0.801 0'801.
void appendExactAmount(std::string& out, const ExactAmount& amount);

// Appends a count with "." between groups of three digits, as the report
// groups amounts: 18.263.
void appendCount(std::string& out, std::int64_t number);

// The month's name in the page's Spanish: 1 gives "enero", 12 "diciembre".
std::string_view monthName(int month);

// Appends Windows-1252 text as UTF-8, escaped so that it stays text in HTML
// content and in attribute values: &, <, >, " and ' as character references,
// and the control characters a page cannot hold (all but tab, line feed and
// carriage return) as blanks.
void appendHtmlEscaped(std::string& out, std::string_view cp1252);

// Appends Windows-1252 text as a JSON string, quotes included; "<", ">" and
// "&" are written as \u escapes so that the string can never close the
// script element that holds it.
void appendJsonString(std::string& out, std::string_view cp1252);

// `bytes` in base64 (RFC 4648, with "=" padding, no line breaks).
void appendBase64(std::string& out, std::string_view bytes);

// `bytes` as a JSON string of one character per byte, its code the byte's
// value (0 to 255), whatever the bytes mean; written as appendJsonString
// writes, with every byte from 0x7F on as \u00XX.
void appendJsonBytes(std::string& out, std::string_view bytes);

} // namespace balvix
