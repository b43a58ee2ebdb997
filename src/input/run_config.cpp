#include "input/run_config.h"

#include "input/date_text.h"
#include "input/fields.h"
#include "input/lines.h"
#include "input/numeric_value.h"
#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace balvix {

namespace {

constexpr std::string_view startFault = " [fecha1] es erroneo, debe ser [dd/mm/aaaa] ...";
constexpr std::string_view endFault = " [fecha2] es erroneo, debe ser [dd/mm/aaaa] ...";
constexpr std::string_view balanceFault = " [dinero in\xED"
                                          "cio] es erroneo, debe ser 0 \xF3 mayor de 0 ...";
constexpr std::string_view reportNameFault =
    " [nombre fichero] es erroneo, debe ser [{letras y/\xF3 n\xFAmeros}.txt] ...";

// The program's own files, which a report must never replace.
constexpr std::array<std::string_view, 3> programFiles = {"config.txt", "entrada.txt",
                                                          "errores.txt"};

// Names Windows keeps for devices, whatever follows them after a ".".
constexpr std::array<std::string_view, 4> deviceNames = {"con", "prn", "aux", "nul"};

// The opening balance: digits with at most one decimal point, at least one
// digit, and a finite value.
std::optional<double> openingBalanceOf(std::string_view text) {
  if (!isPlainDecimal(text)) {
    return std::nullopt;
  }
  double value = numericValue(text);
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The part before the first "." names a device: CON, PRN, AUX, NUL, COM1 to
// COM9 or LPT1 to LPT9 (already in lower case).
bool isDeviceName(std::string_view lowered) {
  std::string_view base = lowered.substr(0, lowered.find('.'));
  if (std::find(deviceNames.begin(), deviceNames.end(), base) != deviceNames.end()) {
    return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
         base[3] >= '1' && base[3] <= '9';
}

// Letters without accent, digits and points, ending in ".txt", in any letter
// case, of up to `longest` characters; neither one of the program's own
// files nor a device. A longer name is not cut: its cut form would lose its
// ".txt".
bool isValidReportName(std::string_view text, std::size_t longest) {
  if (text.size() > longest) {
    return false;
  }
  std::string lowered = lowerCase1252(text);
  constexpr std::string_view allowed = "1234567890.qwertyuiopasdfghjklzxcvbnm";
  if (!lowered.ends_with(reportNameEnding) ||
      lowered.find_first_not_of(allowed) != std::string_view::npos) {
    return false;
  }
  bool isProgramFile =
      std::find(programFiles.begin(), programFiles.end(), lowered) != programFiles.end();
  return !isProgramFile && !isDeviceName(lowered);
}

} // namespace

ConfigRead parseRunConfig(std::string_view text, const ErrorSink& logError,
                          std::size_t longestReportName) {
  ConfigRead read;
  FaultLog faults(configFileName, logError, read.errorCount);
  std::size_t k = 0;
  for (std::string_view line : splitLines(text)) {
    if (line.empty()) {
      continue;
    }
    ++k;
    std::vector<std::string_view> field = splitFields(line, 4);
    RunConfig config;

    if (std::optional<DateParts> start = realDateOf(field[0])) {
      config.start = *start;
    } else {
      faults.report(k, startFault);
    }

    if (std::optional<DateParts> end = realDateOf(field[1])) {
      config.end = *end;
    } else {
      faults.report(k, endFault);
    }

    if (std::optional<double> balance = openingBalanceOf(field[2])) {
      config.openingBalance = *balance;
    } else {
      faults.report(k, balanceFault);
    }

    if (isValidReportName(field[3], longestReportName)) {
      config.reportName = std::string(field[3]);
    } else {
      faults.report(k, reportNameFault);
    }

    read.records.push_back(std::move(config));
  }
  if (hasTextAfterEnd(text)) {
    faults.report(k + 1, textAfterEndFault);
  }
  return read;
}

bool allowsRun(const EntriesRead& movements, const ConfigRead& config, std::int32_t otherFaults) {
  return !movements.entries.empty() && config.records.size() == 1 &&
         config.records.front().start < config.records.front().end && movements.errorCount == 0 &&
         config.errorCount == 0 && otherFaults == 0;
}

std::string_view reportStem(std::string_view reportName) {
  return withoutTextEnding(reportName);
}

} // namespace balvix
