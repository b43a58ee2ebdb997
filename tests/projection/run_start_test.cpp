#include "projection/run_start.h"

#include "input/messages.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace balvix {
namespace {

struct StartCase {
  const char* name;
  const char* argument;
  bool there;
  const char* movements; // nullptr: there but not readable
  bool companionFault;
  std::string_view refusal;
  bool faulty;
  std::string read; // the readers that ran, in order: movements, config, scenarios
};

TEST(RunStart, RefusalOrSpan) {
  const std::string good = "Nomina|500|poner|mensualidad|1|0";
  const StartCase cases[] = {
      {"usage, nothing read", "x", true, good.c_str(), false, "uso", false, ""},
      {"missing inputs, nothing read", "int", false, good.c_str(), false, missingFilesMessage,
       false, ""},
      {"faulty movements", "int", true, "Nomina|x|poner|mensualidad|1|0", false, inputErrorsMessage,
       true, "mcs"},
      {"no scenario read against unreadable movements", "int", true, nullptr, false,
       inputErrorsMessage, true, "mc"},
      {"a faulty scenario alone", "int", true, good.c_str(), true, inputErrorsMessage, true, "mcs"},
      {"a date on the period's last day", "31/01/2013", true, good.c_str(), false,
       outsidePeriodMessage, false, "mcs"},
      {"a date inside the period is walked to", "02/01/2013", true, good.c_str(), false, "", false,
       "mcs"},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string read;
    StartSteps steps;
    steps.argument = c.argument;
    steps.usage = "uso";
    steps.inputsThere = [&c] { return c.there; };
    steps.readMovements = [&](const ErrorSink& log) {
      read += 'm';
      EntriesRead unreadable;
      unreadable.unreadable = true;
      return c.movements == nullptr ? unreadable : parseEntries(c.movements, log);
    };
    steps.readConfig = [&](const ErrorSink& log) {
      read += 'c';
      return parseRunConfig("01/01/2013|31/01/2013|1000|saldo.txt", log);
    };
    steps.readCompanions = [&](const EntriesRead&, const ErrorSink&) {
      read += 's';
      return CompanionsRead{c.companionFault ? 1 : 0, {}};
    };
    const RunStart start = startRun(steps, [](std::string_view) {});
    EXPECT_EQ(start.refusal, c.refusal);
    EXPECT_EQ(start.faulty, c.faulty);
    EXPECT_EQ(read, c.read);
    if (c.refusal.empty()) {
      EXPECT_EQ(start.span.first, (DateParts{1, 1, 2013}));
      EXPECT_EQ(start.span.last, (DateParts{2, 1, 2013}));
    }
  }
}

// A date is walked to only when strictly inside the period; "int" walks it
// all.
TEST(RunStart, DatesStrictlyInsideThePeriod) {
  const std::pair<const char*, std::optional<DateParts>> cases[] = {
      {"int", DateParts{31, 12, 2013}},
      {"02/01/2013", DateParts{2, 1, 2013}},
      {"30/12/2013", DateParts{30, 12, 2013}},
      {"01/01/2013", std::nullopt},
      {"31/12/2013", std::nullopt},
      {"31/12/2012", std::nullopt},
      {"01/01/2014", std::nullopt},
  };
  for (const auto& [argument, last] : cases) {
    StartSteps steps;
    steps.argument = argument;
    steps.readMovements = [](const ErrorSink& log) {
      return parseEntries("Nomina|500|poner|mensualidad|1|0", log);
    };
    steps.readConfig = [](const ErrorSink& log) {
      return parseRunConfig("01/01/2013|31/12/2013|1000|saldo.txt", log);
    };
    const RunStart start = startRun(steps, [](std::string_view) {});
    EXPECT_EQ(start.refusal, last ? "" : outsidePeriodMessage) << argument;
    if (last) {
      EXPECT_EQ(start.span.first, (DateParts{1, 1, 2013})) << argument;
      EXPECT_EQ(start.span.last, *last) << argument;
    }
  }
}

} // namespace
} // namespace balvix
