#include "driver/chart_run.h"

#include "driver/program.h"
#include "fake/fake_platform.h"
#include "input/messages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace balvix {
namespace {

using testing::FakePlatform;

TEST(PageName, HtmlInPlaceOfTxt) {
  EXPECT_EQ(pageNameOf("balance2027.txt"), "balance2027.html");
  EXPECT_EQ(pageNameOf("Informe.TXT"), "Informe.html");
  EXPECT_EQ(pageNameOf("a.b.txt"), "a.b.html");
  EXPECT_EQ(pageNameOf(".txt"), ".html");
  EXPECT_EQ(pageNameOf(std::string(longestChartReportName - 4, 'n') + ".txt").size(),
            longestFileName);
}

// A report name whose page name the system could not hold is a faulty field
// of the configuration, logged before anything is written; balvix takes it.
TEST(ChartProgram, ReportNameTooLongForThePage) {
  struct Case {
    std::size_t length; // of the report name
    bool chartRuns;
  };
  for (const Case& c : {Case{254, true}, Case{255, false}}) {
    const std::string report = std::string(c.length - 4, 'n') + ".txt";
    const std::string page = pageNameOf(report);
    FakePlatform platform;
    platform.writeFile("config.txt", "01/01/2013|31/01/2013|1000|" + report + "\r\n");
    platform.writeFile("entrada.txt", "Nomina|1500|poner|mensualidad|2|0\r\n");
    platform.tail = "int";
    runChartProgram(platform);
    std::vector<std::string> listing = {"config.txt", "entrada.txt",
                                        c.chartRuns ? page : "Errores.txt"};
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(platform.listing(), listing) << c.length;
    if (!c.chartRuns) {
      EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(inputErrorsMessage)});
      EXPECT_TRUE(platform.fileBytes("Errores.txt")
                      .value_or("")
                      .starts_with("config.txt L\xEDnea 1 [nombre fichero] es erroneo"));
    }
    EXPECT_EQ(runProgram(platform), 0);
    EXPECT_TRUE(platform.exists(report)) << c.length << ": balvix writes the report";
  }
}

// The first and last "dias" of the page's data.
std::string daysOf(const std::string& page) {
  std::size_t from = page.find("\"dias\":[\"");
  std::size_t to = page.find("\"]", from);
  if (from == std::string::npos || to == std::string::npos) {
    return "no data";
  }
  std::string days = page.substr(from + 9, to - from - 9);
  return days.substr(0, 10) + " " + days.substr(days.size() - 10);
}

// True when every line of the text ends with CR LF, the last one too.
bool linesEndWithCrLf(std::string_view text) {
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    if (at == 0 || text[at - 1] != '\r') {
      return false;
    }
  }
  return text.ends_with("\r\n");
}

// A start of the chart program is a start of balvix that writes the page
// instead of the report: the same argument (none for the whole period), the
// same messages and error log, the same lock.
TEST(ChartProgram, StartsLikeBalvixAndWritesOnlyThePage) {
  const std::string config = "01/01/2013|31/01/2013|1000|Informe.TXT\r\n";
  const std::string entries = "Nomina|1500|poner|mensualidad|2|0\r\n";
  struct Case {
    std::string tail;
    std::string entries;
    std::string message;
    std::vector<std::string> listing; // besides config.txt and entrada.txt
    std::string days;                 // first and last of the page
  } cases[] = {
      {"", entries, "", {"Informe.html"}, "2013-01-01 2013-01-31"},
      {"int", entries, "", {"Informe.html"}, "2013-01-01 2013-01-31"},
      {"15/01/2013", entries, "", {"Informe.html"}, "2013-01-01 2013-01-15"},
      {"2000", entries, "", {"Informe.html"}, "2013-01-01 2013-01-02"},
      {"31/01/2013", entries, std::string(outsidePeriodMessage), {}, ""},
      {"INT", entries, std::string(chartUsageText), {}, ""},
      {" ", entries, std::string(chartUsageText), {}, ""},
      {"",
       "Nomina|0|poner|mensualidad|2|0\r\n",
       std::string(inputErrorsMessage),
       {"Errores.txt"},
       ""},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.writeFile("config.txt", config);
    platform.writeFile("entrada.txt", c.entries);
    platform.tail = c.tail;
    EXPECT_EQ(runChartProgram(platform), 0);
    std::vector<std::string> listing = c.listing;
    listing.insert(listing.end(), {"config.txt", "entrada.txt"});
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(platform.listing(), listing) << "'" << c.tail << "'";
    EXPECT_EQ(platform.messages.size(), c.message.empty() ? 0u : 1u) << "'" << c.tail << "'";
    if (!c.message.empty() && !platform.messages.empty()) {
      EXPECT_EQ(platform.messages[0], c.message);
    }
    EXPECT_EQ(platform.writtenUnlocked, 0u);
    EXPECT_EQ(platform.toldWhileLocked, 0u);
    EXPECT_EQ(platform.locksTaken, 1u);
    if (!c.days.empty()) {
      EXPECT_EQ(platform.opened, std::vector<std::string>{"Informe.html"});
      const std::string page = platform.fileBytes("Informe.html").value_or("");
      EXPECT_EQ(daysOf(page), c.days) << c.tail;
      EXPECT_TRUE(linesEndWithCrLf(page)) << c.tail;
    }
  }
}

// A page with a block that could not be written, or an old page that cannot
// be replaced, is announced as an incomplete report is; the old page is not
// opened as this run's.
TEST(ChartProgram, IncompletePageIsTold) {
  for (bool oldPageKept : {false, true}) {
    FakePlatform platform;
    platform.writeFile("config.txt", "01/01/2013|31/01/2013|1000|b.txt\r\n");
    platform.writeFile("entrada.txt", "Nomina|1500|poner|mensualidad|2|0\r\n");
    platform.writeFile("b.html", "an old page");
    if (oldPageKept) {
      platform.removeFails = true;
    } else {
      platform.writeFails = [](std::string_view name, std::size_t before) {
        return name == "b.html" && before == 0;
      };
    }
    runChartProgram(platform);
    EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(incompleteFileMessage)});
    EXPECT_EQ(platform.opened,
              oldPageKept ? std::vector<std::string>{} : std::vector<std::string>{"b.html"});
    if (oldPageKept) {
      EXPECT_EQ(platform.fileBytes("b.html"), "an old page");
    }
  }
}

} // namespace
} // namespace balvix
