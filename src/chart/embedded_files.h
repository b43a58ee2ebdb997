#pragma once

#include <string_view>

namespace balvix {

// The files of the chart page, embedded into the program when it is built
// (cmake/EmbedFiles.cmake), byte for byte.

// third_party/uplot/uPlot.iife.min.js, the chart library.
std::string_view uplotScript();

// third_party/uplot/uPlot.min.css, its style.
std::string_view uplotStyle();

// third_party/uplot/LICENSE, its licence, shown on the page.
std::string_view uplotLicense();

// src/chart/page.js, the script that draws the page's chart from its data.
std::string_view pageScript();

// src/chart/page.css, the page's own style.
std::string_view pageStyle();

} // namespace balvix
