#include "input/entries.h"

#include "driver/input_files.h"
#include "fake/fake_platform.h"

#include <gtest/gtest.h>

#include "input/parsed_log.h"

#include <array>
#include <string>
#include <vector>

namespace balvix {
namespace {

const std::string prefix = "entrada.txt L\xEDnea ";

// The label of each field in its message, by field number; the whole
// messages are checked byte for byte with the error log.
const std::array<std::string, 7> label = {"",        "comentario", "dinero",         "acci\xF3n",
                                          "momento", "cuando",     "activar periodo"};

using Parsed = testing::Parsed<EntriesRead>;

Parsed parse(std::string_view text) {
  return testing::parseLogged<EntriesRead>(parseEntries, text);
}

std::vector<std::string> faultLines(std::size_t k, std::string_view fields) {
  return testing::faultLines(prefix, label, k, fields);
}

// Fields of a good movement line of each moment.
using Fields = std::array<std::string, 6>;
const Fields monthlyLine = {"x", "1", "poner", "mensualidad", "1", "0"};
const Fields onceLine = {"x", "1", "poner", "concreta", "15/03/2014", "0"};
const Fields periodicLine = {"x", "1", "poner", "periodo", "3mes", "05/01/2014"};

std::string joined(const Fields& fields) {
  std::string line = fields[0];
  for (std::size_t i = 1; i < fields.size(); ++i) {
    line += "|" + fields[i];
  }
  return line;
}

TEST(EntryFields, PassingAndFailingValues) {
  struct Case {
    Fields line;
    std::size_t field; // 1 to 6
    std::vector<std::string> passing;
    std::vector<std::string> failing;
  };
  const std::vector<Case> cases = {
      {monthlyLine, 1, {"   ", "Sueldo"}, {""}},
      {monthlyLine,
       2,
       {"1500", "0.01", "1e3", "12abc", "&H10", "1850.50 EUR", "10EUR", " 10", "1.5.x"},
       {"0", "-3", "abc", "", "1,5", "1.500,75", "1e999", std::string(400, '9'), "1.850.50",
        "1 850", "10EUR2", "12abc3", "5,", "1850,-"}},
      {monthlyLine, 3, {"poner", "quitar"}, {"Poner", "poner ", " quitar"}},
      {onceLine, 5, {"15/03/2014", "29/02/2012"}, {"31/02/2014", "1/2/2014", "01-02-2014"}},
      {onceLine, 6, {"0"}, {"00", "", "0.0", "1", "01/01/2014", "0 5", "0/1", "x0"}},
      {periodicLine,
       5,
       {"3mes", "3meses", "1a\xF1o", "2semana", "2semanas", "10dia", "0001dia", "1semanames"},
       {"mes", "3 mes", "3MES", "3mes2a\xF1o", "0dia", "0mes", "000mes", "dia7", "mes3", "1e2mes",
        "1d2dia", "s2semana", "3mesmes", "2semanasemana", "3mes3", "2semanas5"}},
      {periodicLine, 6, {"29/02/2012"}, {"0", "31/04/2014", "5/1/2014"}},
      {monthlyLine,
       5,
       {"1", "28", "15abc", "15.0", "1e1", "&H0F", " 15"},
       {"0", "29", "", "15.5", "0.5", "15,5", "5,20", "1 15", "10/15", "2-3", "15abc3"}},
      {monthlyLine, 6, {"0"}, {"1", "00"}}};
  for (const Case& c : cases) {
    Fields fields = c.line;
    for (bool passes : {true, false}) {
      for (const std::string& value : passes ? c.passing : c.failing) {
        fields[c.field - 1] = value;
        Parsed parsed = parse(joined(fields));
        EXPECT_EQ(parsed.log, faultLines(1, passes ? "" : std::to_string(c.field)))
            << joined(fields);
        EXPECT_EQ(parsed.read.errorCount, passes ? 0 : 1) << joined(fields);
      }
    }
  }
}

TEST(EntryFields, FaultyMomentFailsItsWhen) {
  EXPECT_EQ(parse("x|1|poner| mensualidad|1|0").log, faultLines(1, "45"));
  EXPECT_EQ(parse("x|1|poner|Periodo|3mes|05/01/2014").log, faultLines(1, "456"));
  EXPECT_EQ(parse("|0|x|y").log, faultLines(1, "123456"));
}

TEST(EntryLines, KindsAndNumbering) {
  Parsed parsed = parse("; gastos fijos\r\n"
                        "   ; sangrado\r\n"
                        "\r\n"
                        "X|0|poner|mensualidad|1|0\r\n"
                        "\t; con tabulador\r\n"
                        "   \r\n"
                        "Solo texto\r\n"
                        "Y|1|poner|mensualidad|1|0|s\xE9ptimo|campo");
  std::vector<std::string> expected = faultLines(1, "2");
  for (std::size_t k = 2; k <= 4; ++k) {
    for (const std::string& line : faultLines(k, "23456")) {
      expected.push_back(line);
    }
  }
  EXPECT_EQ(parsed.log, expected);
  EXPECT_EQ(parsed.read.errorCount, 16);
  ASSERT_EQ(parsed.read.entries.size(), 5U);
  EXPECT_EQ(parsed.read.entries[1].comment, "\t; con tabulador");
  EXPECT_EQ(parsed.read.entries[4].monthDay, 1);

  // Lines ended by line feeds alone, or carriage returns alone, are numbered
  // as with both.
  Parsed ends = parse("A|1|poner|mensualidad|1|0\n\nB|0|poner|mensualidad|1|0\rC|0|x|y\n");
  ASSERT_EQ(ends.read.entries.size(), 3U);
  EXPECT_EQ(ends.read.entries[1].comment, "B");
  std::vector<std::string> endsLog = faultLines(2, "2");
  for (const std::string& line : faultLines(3, "23456")) {
    endsLog.push_back(line);
  }
  EXPECT_EQ(ends.log, endsLog);

  EXPECT_TRUE(parse("; solo comentarios\r\n\r\n").read.entries.empty());

  // Text after a byte 26 is one fault more, numbered as the next movement.
  Parsed afterEnd = parse("; c\r\nA|0|poner|mensualidad|1|0\r\n\x1A\r\n"
                          "B|1|poner|mensualidad|1|0");
  std::vector<std::string> afterEndLog = faultLines(1, "2");
  afterEndLog.push_back(prefix + "2 [fin de texto]");
  EXPECT_EQ(afterEnd.log, afterEndLog);
  EXPECT_EQ(afterEnd.read.errorCount, 2);
  EXPECT_EQ(afterEnd.read.entries.size(), 1U);
  EXPECT_TRUE(parse("A|1|poner|mensualidad|1|0\r\n\x1A\r\n\x1A").log.empty());
}

TEST(EntryLines, NoLimitOnTheirNumber) {
  std::string text;
  for (int i = 0; i < 40000; ++i) {
    text += "x|1|poner|mensualidad|1|0\r\n";
  }
  Parsed parsed = parse(text);
  EXPECT_EQ(parsed.read.entries.size(), 40000U);
  EXPECT_TRUE(parsed.log.empty());
}

TEST(EntryRecord, KeepsTextsAndNumbers) {
  const std::string longComment(300, 'c');
  Parsed parsed = parse(longComment + "|1500|quitar|concreta|24/12/2014|0\r\n" +
                        "Sueldo|0.1|poner|mensualidad|15" + std::string(300, 'x') + "|0\r\n");
  ASSERT_EQ(parsed.read.entries.size(), 2U);
  const Entry& once = parsed.read.entries[0];
  EXPECT_EQ(once.comment, longComment.substr(0, 255));
  EXPECT_EQ(once.amount, 1500);
  EXPECT_EQ(once.action, Action::remove);
  EXPECT_EQ(once.moment, Moment::once);
  EXPECT_EQ(once.date, (DateParts{24, 12, 2014}));
  const Entry& monthly = parsed.read.entries[1];
  EXPECT_EQ(monthly.amount, 0.1);
  EXPECT_EQ(monthly.action, Action::add);
  EXPECT_EQ(monthly.moment, Moment::monthly);
  EXPECT_EQ(monthly.monthDay, 15);
  EXPECT_EQ(monthly.when.size(), 255U);
  EXPECT_EQ(once.schedule.unit, Unit::none);
  EXPECT_EQ(monthly.schedule.unit, Unit::none);
  EXPECT_EQ(monthly.line.size(), 333U); // the whole line, uncut, without its line end
}

TEST(EntrySchedule, FromCountAndActivation) {
  struct Case {
    std::string when;
    std::int64_t interval;
    Unit unit;
  };
  const std::vector<Case> cases = {{"3mes", 3, Unit::months},
                                   {"2semana", 14, Unit::weeks},
                                   {"10dia", 10, Unit::days},
                                   {"120dia", 120, Unit::days},
                                   {"1a\xF1o", 1, Unit::years},
                                   {"0001dia", 1, Unit::days},
                                   {"2semanas", 14, Unit::weeks},
                                   {"1semanames", 7, Unit::weeks},
                                   {"40000semana", 280000, Unit::weeks},
                                   {"4000000dia", 4000000, Unit::days},
                                   {"4000001dia", neverAgain, Unit::days},
                                   {"600000semana", neverAgain, Unit::weeks},
                                   {std::string(300, '9') + "mes", neverAgain, Unit::months},
                                   {std::string(250, '9') + "a\xF1o", neverAgain, Unit::years},
                                   // The count as written, though only 255 characters are kept.
                                   {std::string(295, '0') + "1dia", 1, Unit::days}};
  for (const Case& c : cases) {
    Parsed parsed = parse("x|1|poner|periodo|" + c.when + "|05/01/2014");
    ASSERT_TRUE(parsed.log.empty()) << c.when;
    const EntrySchedule& schedule = parsed.read.entries.at(0).schedule;
    EXPECT_EQ(schedule.interval, c.interval) << c.when;
    EXPECT_EQ(schedule.unit, c.unit) << c.when;
    EXPECT_EQ(schedule.anchor, (DateParts{5, 1, 2014})) << c.when;
    EXPECT_EQ(parsed.read.entries.at(0).when, c.when.substr(0, 255));
  }
  // Without a stored activation there is no schedule.
  EXPECT_EQ(parse("x|1|poner|periodo|3mes|0").read.entries.at(0).schedule.unit, Unit::none);
}

// Answers each reading with the next text, as a file changing between reads.
class ChangingFile : public testing::FakePlatform {
public:
  std::optional<std::string> readFile(std::string_view name) override {
    ++reads;
    return name == entriesFileName ? texts.at(reads - 1) : std::string();
  }
  std::vector<std::string> texts;
  std::size_t reads = 0;
};

TEST(ReadEntries, ReadsTheFileOnce) {
  ChangingFile platform;
  platform.texts = {"a|1|poner|mensualidad|1|0\r\nb|0|poner|mensualidad|1|0",
                    "a|1|poner|mensualidad|1|0\r\nb|1|poner|mensualidad|1|0\r\nc"};
  EntriesRead read = readEntriesFile(platform, nullptr);
  EXPECT_EQ(platform.reads, 1U);
  EXPECT_EQ(read.entries.size(), 2U);
  EXPECT_EQ(read.entries[1].line, "b|0|poner|mensualidad|1|0");
  EXPECT_EQ(read.errorCount, 1);
}

TEST(ReadEntries, SameTablesOnSecondReading) {
  testing::FakePlatform platform;
  platform.writeFile(entriesFileName, "a|1|poner|periodo|2semana|05/01/2014\r\nb|1|poner|x|y|0");
  EntriesRead first = readEntriesFile(platform, nullptr);
  EntriesRead second = readEntriesFile(platform, nullptr);
  ASSERT_EQ(second.entries.size(), 2U);
  EXPECT_EQ(second.entries[1].comment, first.entries[1].comment);
  EXPECT_EQ(second.entries[0].schedule.interval, first.entries[0].schedule.interval);
  EXPECT_EQ(second.errorCount, 2);

  platform.unreadable = "entrada.txt";
  const EntriesRead unreadable = readEntriesFile(platform, nullptr);
  EXPECT_TRUE(unreadable.entries.empty() && unreadable.unreadable);
  EXPECT_EQ(unreadable.errorCount, 1);
}

} // namespace
} // namespace balvix
