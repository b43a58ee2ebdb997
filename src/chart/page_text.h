#pragma once

#include "calendar/calendar.h"

#include <string>
#include <string_view>

namespace balvix {

// The text forms of the chart page, which is UTF-8.

// formatMoney's text of `value` as a JSON number with two decimals:
// "1.234'50" gives 1234.50, "'50" 0.50, "-'12" -0.12, "-250'00" -250.00; a
// value that is not finite gives null. So the page's numbers always agree with
// the report's amounts.
std::string jsonAmount(double value);

// An amount as the page writes it: the report's text with a 0 before "'" when
// there is no unit digit, so that 0.5 gives 0'50, -0.5 -0'50 and 0 0'00;
// 1234.5 gives 1.234'50 as in the report.
std::string pageAmount(double value);

// `text`, an amount in the report's form, in the page's form (see pageAmount).
std::string pageAmountOf(std::string text);

// The amount of jsonAmount's text as a number (NaN for null): equal report
// texts give equal numbers and a lower text never a higher number, so
// balances can be compared as the user sees them.
double shownAmount(double value);

// Appends Windows-1252 text as UTF-8, written so that it stays text in HTML
// content and in attribute values: &, <, >, " and ' as character references,
// and the control characters a page cannot hold (all but tab, line feed and
// carriage return) as blanks.
void appendHtmlText(std::string& out, std::string_view cp1252);

// Appends Windows-1252 text as a JSON string, quotes included; "<", ">" and
// "&" are written as \u escapes so that the string can never close the
// script element that holds it.
void appendJsonString(std::string& out, std::string_view cp1252);

} // namespace balvix
