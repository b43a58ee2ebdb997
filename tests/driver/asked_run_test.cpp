#include "driver/asked_run.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "input/lines.h"
#include "input/messages.h"

namespace balvix {
namespace {

using testing::FakePlatform;

// The day lines of a report: the first and the last.
std::pair<std::string, std::string> walkedDays(FakePlatform& platform) {
  auto report = platform.fileBytes("informe.txt");
  if (!report) {
    return {};
  }
  std::vector<std::string_view> lines = splitLines(*report);
  std::string first(lines.front());
  // The closing block is two empty lines and the balance; the last day line
  // comes before it (no movements in these runs).
  std::string last(lines[lines.size() - 4]);
  return {first, last};
}

TEST(AskedRun, RunsOnlyStrictlyInsideThePeriod) {
  struct Case {
    const char* argument;
    const char* firstDay; // empty when refused
    const char* lastDay;
  };
  const Case cases[] = {
      {"int", "Martes 01/01/2013", "Martes 31/12/2013"},
      {"02/01/2013", "Martes 01/01/2013", "Mi\xE9rcoles 02/01/2013"},
      {"30/12/2013", "Martes 01/01/2013", "Lunes 30/12/2013"},
      {"01/01/2013", "", ""},
      {"31/12/2013", "", ""},
      {"31/12/2012", "", ""},
      {"01/01/2014", "", ""},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    RunConfig config;
    config.start = {1, 1, 2013};
    config.end = {31, 12, 2013};
    config.reportName = "informe.txt";
    EntriesRead movements;
    Outcome outcome =
        runAskedSpan(platform, RunInputs{config, movements}, classifyArgument(c.argument));
    EXPECT_TRUE(platform.messages.empty() && platform.opened.empty())
        << c.argument << ": the caller tells the user";
    if (*c.firstDay == '\0') {
      EXPECT_EQ(outcome.message, outsidePeriodMessage) << c.argument;
      EXPECT_EQ(outcome.document, "") << c.argument;
      EXPECT_FALSE(platform.exists("informe.txt")) << c.argument;
    } else {
      EXPECT_EQ(outcome.message, "") << c.argument;
      EXPECT_EQ(outcome.document, "informe.txt") << c.argument;
      auto [first, last] = walkedDays(platform);
      EXPECT_EQ(first, c.firstDay) << c.argument;
      EXPECT_EQ(last, c.lastDay) << c.argument;
    }
  }
}

} // namespace
} // namespace balvix
