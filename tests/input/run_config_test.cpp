#include "input/run_config.h"

#include <gtest/gtest.h>

#include "input/parsed_log.h"

#include <array>
#include <string>
#include <vector>

namespace balvix {
namespace {

const std::string prefix = "config.txt L\xEDnea ";

// The label of each field in its message, by field number.
const std::array<std::string, 5> label = {"", "fecha1", "fecha2",
                                          "dinero in\xED"
                                          "cio",
                                          "nombre fichero"};

using Parsed = testing::Parsed<ConfigRead>;

Parsed parse(std::string_view text, std::size_t longestReportName = longestFileName) {
  return testing::parseLogged<ConfigRead>(
      [longestReportName](std::string_view bytes, const ErrorSink& sink) {
        return parseRunConfig(bytes, sink, longestReportName);
      },
      text);
}

std::vector<std::string> faultLines(std::size_t k, std::string_view fields) {
  return testing::faultLines(prefix, label, k, fields);
}

TEST(ConfigFields, PassingAndFailingValues) {
  struct Case {
    std::size_t field; // 1 to 4
    std::vector<std::string> passing;
    std::vector<std::string> failing;
  };
  const std::vector<Case> cases = {
      {1,
       {"01/01/2014", "29/02/2012",
        "\xEF\xBB\xBF"
        "01/01/2014"}, // a byte-order mark at the file's start is no part of it
       {"1/1/2014", "01-01-2014", "01/01/14", " 01/01/2014", "00/01/2014", "32/01/2014",
        "01/13/2014", "01/01/0000", "31/02/2014"}},
      {2, {"31/12/2013", "31/12/2015"}, {"29/02/2013", "31/04/2014", ""}},
      {3,
       {"0", "0.00", "1500", "1500.75", ".5", "5."},
       {"", ".", "-5", "1,5", "1.500,75", "1.2.3", "1e3", " 5", std::string(400, '9')}},
      {4,
       {"informe.txt", "Informe2014.TXT", ".txt", "com0.txt", "com10.txt", "console.txt",
        std::string(251, 'n') + ".txt"},
       {std::string(252, 'n') + ".txt", std::string(300, 'n') + ".txt", "informe", "mi informe.txt",
        "informe_1.txt", "c:\\informe.txt", "a\xF1o.txt", "informe.txt ", "config.txt",
        "ENTRADA.TXT", "Errores.txt", "con.txt", "Nul.txt", "aux.informe.txt", "COM1.txt",
        "lpt9.txt"}}};
  for (const Case& c : cases) {
    std::array<std::string, 4> fields = {"01/01/2014", "31/12/2014", "2500.50", "a.txt"};
    for (bool passes : {true, false}) {
      for (const std::string& value : passes ? c.passing : c.failing) {
        fields[c.field - 1] = value;
        std::string line = fields[0] + "|" + fields[1] + "|" + fields[2] + "|" + fields[3];
        Parsed parsed = parse(line);
        EXPECT_EQ(parsed.log, faultLines(1, passes ? "" : std::to_string(c.field))) << line;
        EXPECT_EQ(parsed.read.errorCount, passes ? 0 : 1) << line;
      }
    }
  }
  EXPECT_EQ(parse("01/01/2014|31/12/2014").log, faultLines(1, "34"));
  EXPECT_TRUE(parse("31/12/2014|01/01/2014|0|a.txt|x").log.empty());
}

TEST(ConfigLines, CountAndNumbering) {
  const std::string good = "01/01/2014|31/12/2014|0|a.txt";
  Parsed parsed = parse("\r\n\r\n" + good + "\r\n\r\n01/01/2014|x|0|a.txt\r\n\r\n");
  EXPECT_EQ(parsed.read.records.size(), 2U);
  EXPECT_EQ(parsed.log, faultLines(2, "2"));

  EXPECT_EQ(parse(good + "\r\n" + good).read.records.size(), 2U);
  EXPECT_EQ(parse(good + "\n" + good + "\r" + good + "\n").read.records.size(), 3U);
  EXPECT_TRUE(parse("").read.records.empty());
  Parsed afterEnd = parse("\r\n" + good + "\r\n\r\n" + good + "\x1A\r\n\x1A x");
  EXPECT_EQ(afterEnd.log, std::vector<std::string>{prefix + "3 [fin de texto]"});
  EXPECT_EQ(afterEnd.read.errorCount, 1);
  EXPECT_EQ(afterEnd.read.records.size(), 2U);
  EXPECT_TRUE(parse(good + "\r\n\x1A").log.empty());
  Parsed empties = parse("\r\n\r\n");
  EXPECT_TRUE(empties.read.records.empty());
  EXPECT_TRUE(empties.log.empty());
}

TEST(ConfigRecord, KeepsTextsAndNumbers) {
  const std::string longName = std::string(251, 'n') + ".txt";
  Parsed parsed = parse("05/01/2014|28/02/2015|2500.50|Balance2014.TXT\r\n"
                        "01/01/2014|31/12/2014|0.1|" +
                        longName);
  ASSERT_EQ(parsed.read.records.size(), 2U);
  EXPECT_TRUE(parsed.log.empty());
  const RunConfig& config = parsed.read.records[0];
  EXPECT_EQ(config.start, (DateParts{5, 1, 2014}));
  EXPECT_EQ(config.end, (DateParts{28, 2, 2015}));
  EXPECT_EQ(config.openingBalance, 2500.5);
  EXPECT_EQ(config.reportName, "Balance2014.TXT");
  EXPECT_EQ(parsed.read.records[1].openingBalance, 0.1);
  EXPECT_EQ(parsed.read.records[1].reportName, longName);

  RunConfig faulty = parse("x|y|z|w").read.records.at(0);
  EXPECT_TRUE(faulty.reportName.empty());
  EXPECT_EQ(faulty.start, DateParts{});
  EXPECT_EQ(faulty.end, DateParts{});
}

// A program that writes a file of a longer name than the report's own takes
// shorter report names, and refuses a longer one as a faulty field.
TEST(ConfigRecord, ReportNameWithinTheProgramsLimit) {
  struct Case {
    std::size_t longest;
    std::size_t length; // of the report name, ".txt" included
    bool passes;
  };
  for (const Case& c : {Case{255, 255, true}, Case{255, 256, false}, Case{254, 254, true},
                        Case{254, 255, false}, Case{5, 5, true}, Case{5, 6, false}}) {
    const std::string name = std::string(c.length - 4, 'n') + ".txt";
    Parsed parsed = parse("01/01/2014|31/12/2014|0|" + name, c.longest);
    EXPECT_EQ(parsed.log, c.passes ? std::vector<std::string>{} : faultLines(1, "4"))
        << c.longest << " " << c.length;
    EXPECT_EQ(parsed.read.records.at(0).reportName, c.passes ? name : "")
        << c.longest << " " << c.length;
  }
}

} // namespace
} // namespace balvix
