#pragma once

#include "driver/chart_output.h"
#include "input/run_config.h"
#include "input/scenarios.h"
#include "platform/platform.h"
#include "report/run.h"

#include <string>
#include <string_view>

namespace balvix {

// The page's name: the report's name with ".html" in place of its ".txt"
// (written in any letter case): balance2027.txt gives balance2027.html.
std::string pageNameOf(std::string_view reportName);

// The chart page of a run: walks the span as the report would and replaces
// the page of the program directory (pageNameOf the report's name) with the
// chart of this run, with the scenarios beside the plan. The text report is
// not touched. The page is whole only when an earlier page could be removed
// and every line of it was written. As a Projection, `written` tells of the
// page.
void writeChartPage(Platform& platform, const RunInputs& inputs, const ScenariosRead& scenarios,
                    const PageSources& sources, const RunSpan& span, WrittenFile& written);

} // namespace balvix
