#pragma once

#include "chart/page_model.h"

#include <string>

namespace balvix {

// Appends the table of the stretches below zero under its heading: per
// stretch its first and last day, its days, its lowest balance and the first
// day of it, and the movements of its first day; or one line saying there are
// none. Only the first rows are shown (the page's data holds them all), with
// a line saying how many more there are.
void appendStretchTable(std::string& out, const PageModel& model);

// Appends the month table under its heading: one table a year, each folded
// under a line with the year's closing balance and sums (open while the walk
// touches few years), a row per month with its closing balance, its lowest
// balance and the first day of it, put in and taken out; a month that ends a
// day below zero is marked, one the walk cut short says up to which day. A
// note follows when an amount has digits below the cent.
void appendMonthTable(std::string& out, const PageModel& model);

} // namespace balvix
