#pragma once

#include "fake/fake_platform.h"
#include "projection/argument.h"
#include "report/run.h"

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace balvix::testing {

using Lines = std::vector<std::string>;

inline DateParts dateOf(const std::string& t) {
  return {std::stoi(t.substr(0, 2)), std::stoi(t.substr(3, 2)), std::stoi(t.substr(6, 4))};
}

// Adds a movement as the movements reader leaves it; a "periodo" one needs
// its unit and count (weeks in days) besides the texts.
inline void add(EntriesRead& m, std::string comment, double amount, std::string action,
                std::string moment, std::string when, std::string activation = "0",
                Unit unit = Unit::none, std::int64_t interval = 0) {
  Entry e;
  std::tie(e.comment, e.amount, e.when) = std::tie(comment, amount, when);
  e.action = action == "poner" ? Action::add : Action::remove;
  e.moment = moment == "concreta"  ? Moment::once
             : moment == "periodo" ? Moment::periodic
                                   : Moment::monthly;
  if (e.moment == Moment::once) {
    e.date = dateOf(when);
  } else if (e.moment == Moment::monthly) {
    e.monthDay = std::stoi(when);
  } else {
    e.schedule = {interval, unit, dateOf(activation)};
  }
  m.entries.push_back(e);
}

inline RunConfig configOf(std::string start, std::string end, double opening) {
  return {dateOf(start), dateOf(end), opening, "informe.txt"};
}

inline Lines linesOf(const std::string& bytes) {
  Lines lines;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(bytes.substr(at, end - at));
  }
  return lines;
}

// The report's lines of a run over the configured period, to the target
// amount when one is given (as the command line gives it).
inline Lines project(const EntriesRead& m, const RunConfig& config,
                     std::optional<std::string> target = std::nullopt) {
  FakePlatform platform;
  RunSpan span{config.start, config.end, std::nullopt};
  if (target) {
    span.target = classifyArgument(*target).target;
  }
  WrittenFile written;
  writeReport(platform, {config, m}, span, written);
  return linesOf(platform.fileBytes(config.reportName).value_or(""));
}

// The dates of the day lines, or with a comment the days its movement line
// appears on.
inline Lines daysOf(const Lines& lines, const std::string& comment = "") {
  Lines days;
  std::string day;
  for (const std::string& line : lines) {
    bool movement = line.find(" = ") != std::string::npos;
    if (!line.empty() && !movement && line.rfind("ACTIVACI", 0) != 0) {
      day = line.substr(line.size() - 10);
      if (comment.empty()) {
        days.push_back(day);
      }
    } else if (!comment.empty() && movement && line.rfind(comment + " ", 0) == 0) {
      days.push_back(day);
    }
  }
  return days;
}

} // namespace balvix::testing
