#pragma once

#include <array>
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

// The page's scripts, each a file of src/web: page_blocks.js (the page's data and inputs, parsed
// once), page_typed.js (a typed scenario read as a file: its bytes, faults and added lines),
// page_names.js (the rule of a new scenario's name), page_engine.js (the page's engine,
// balvixEngine), page_format.js (dates, today, amounts and CSV numbers), page_ticks.js (the date
// axis's ticks), page_lines.js (the lines of the plan and the scenarios and the figures of a line),
// page_marks.js (the marks drawn over the lines), page_chart.js (the chart's uPlot options: lines,
// scales and axes, and the plugins of the marks and of touch), page_readout.js (the readout of a
// day, a plugin), page_controls.js (the tick boxes, a plugin, the cushion field and the cells of
// today and the cushion), page_downloads.js (the CSV files), page_scenario_tables.js (the current
// month, and the tables of a scenario), page.js, which draws the page with them from its data,
// page_changed_file.js (a scenario file changed since it was typed over), page_kept.js (what the
// browser keeps of them), page_boxes.js (the boxes of the scenarios typed in the page),
// page_parts.js (the parts of the page the engine writes again), page_editor.js (the scenarios
// typed in the page) and page_jumps.js (from a box to the chart and back, on a narrow screen).
std::string_view pageBlocksScript();
std::string_view pageTypedScript();
std::string_view pageNamesScript();
std::string_view pageEngineScript();
std::string_view pageFormatScript();
std::string_view pageTicksScript();
std::string_view pageLinesScript();
std::string_view pageMarksScript();
std::string_view pageChartScript();
std::string_view pageReadoutScript();
std::string_view pageControlsScript();
std::string_view pageDownloadsScript();
std::string_view pageScenarioTablesScript();
std::string_view pageScript();
std::string_view pageChangedFileScript();
std::string_view pageKeptScript();
std::string_view pageBoxesScript();
std::string_view pagePartsScript();
std::string_view pageEditorScript();
std::string_view pageJumpsScript();

// The page's scripts in the order the page holds them, each using those
// before it.
inline std::array<std::string_view, 20> pageScripts() {
  return {pageBlocksScript(),         pageTypedScript(),    pageNamesScript(),
          pageEngineScript(),         pageFormatScript(),   pageTicksScript(),
          pageLinesScript(),          pageMarksScript(),    pageChartScript(),
          pageReadoutScript(),        pageControlsScript(), pageDownloadsScript(),
          pageScenarioTablesScript(), pageScript(),         pageChangedFileScript(),
          pageKeptScript(),           pageBoxesScript(),    pagePartsScript(),
          pageEditorScript(),         pageJumpsScript()};
}

// src/web/page.css, the page's own style, src/web/page_controls.css, that of its
// controls (the lines' tick boxes, the fields, the scenarios typed), and
// src/web/page_layout.css, its
// layout on a wide screen.
std::string_view pageStyle();
std::string_view pageControlsStyle();
std::string_view pageLayoutStyle();

} // namespace balvix
