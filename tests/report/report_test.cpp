#include "report/report.h"

#include "driver/outcome.h"
#include "projection/walk_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace balvix::testing {
namespace {

EntriesRead example() {
  EntriesRead m;
  add(m, "Nomina", 1500, "poner", "mensualidad", "2");
  add(m, "Seguro", 450, "quitar", "periodo", "1a\xF1o", "03/01/2013", Unit::years, 1);
  return m;
}

// Sees in which order the user is told things and shown files.
struct EventPlatform : FakePlatform {
  void showMessage(std::string_view text) override {
    events.emplace_back(text);
    FakePlatform::showMessage(text);
  }
  void openDocument(std::string_view name) override {
    events.emplace_back(name);
    FakePlatform::openDocument(name);
  }
  Lines events;
};

TEST(Report, ExampleReplacesAReadOnlyReport) {
  EventPlatform platform;
  platform.writeFile("informe.txt", "old\r\n");
  std::filesystem::permissions(platform.pathOf("informe.txt"), std::filesystem::perms::owner_read);
  EntriesRead m = example();
  WrittenFile written;
  writeReport(platform, {configOf("01/01/2013", "31/12/2013", 1000), m},
              {{1, 1, 2013}, {3, 1, 2013}, std::nullopt}, written);
  EXPECT_EQ(written.name, "informe.txt");
  EXPECT_TRUE(written.whole);
  EXPECT_TRUE(platform.events.empty()) << "the caller tells the user";
  EXPECT_EQ(platform.fileBytes("informe.txt"),
            "Martes 01/01/2013\r\nMi\xE9rcoles 02/01/2013\r\n"
            "Nomina 1.000'00 poner 1.500'00 = 2.500'00 mensualidad 2\r\n\r\n"
            "Jueves 03/01/2013\r\nACTIVACI\xD3N !! Seguro quitar 450'00 periodo 1a\xF1o\r\n"
            "Seguro 2.500'00 quitar 450'00 = 2.050'00 periodo 1a\xF1o\r\n\r\n\r\n\r\n"
            "Saldo total = 2.050'00\r\n");
}

TEST(Report, LostBlockIsToldBeforeTheReportOpens) {
  struct Case {
    const char* what;
    bool writeFails; // the one write, of the whole report at its close
    bool closeFails;
  };
  const Case cases[] = {
      {"the write fails", true, false},
      {"only the close fails", false, true},
  };
  for (const Case& c : cases) {
    EventPlatform platform;
    platform.writeFails = [&](std::string_view, std::size_t) { return c.writeFails; };
    platform.closeFails = c.closeFails;
    EntriesRead m = example();
    RunConfig config = configOf("01/01/2013", "03/01/2013", 1000);
    platform.writeFile("config.txt", "");
    runInFolder(platform, [&] {
      return runProjection(writeReport, platform, {config, m},
                           {config.start, config.end, std::nullopt});
    });
    EXPECT_EQ(platform.locksTaken, 1u) << c.what;
    EXPECT_EQ(platform.toldWhileLocked, 0u) << c.what;
    EXPECT_EQ(platform.events,
              (Lines{"No se pudo escribir el informe completo ...", "informe.txt"}))
        << c.what;
    EXPECT_EQ(linesOf(platform.fileBytes("informe.txt").value_or("")).size(),
              c.closeFails ? 11u : 0u)
        << c.what;
  }
}

// What a run appends is written in whole blocks, one write each, and what is
// left at the close; a block's worth appended at once goes out as it is.
TEST(RunFile, WrittenInWholeBlocks) {
  constexpr std::size_t block = OutputFile::blockSize;
  struct Case {
    const char* what;
    std::vector<std::size_t> lines; // lengths of the lines appended, CR LF added
    std::size_t endedLines;         // then bytes appended at once, ending with CR LF
    std::vector<std::size_t> writes;
    std::size_t pieces = 0; // then bytes appended in three pieces, ending with CR LF
  };
  const Case cases[] = {
      {"nothing", {}, 0, {}},
      {"less than a block", {10, 0}, 0, {14}},
      {"exactly one block", {block / 2 - 2, block / 2 - 2}, 0, {block}},
      {"one byte longer", {block / 2 - 2, block / 2 - 1}, 0, {block, 1}},
      {"a page of two blocks and more at once", {}, 2 * block + 3, {block, block, 3}},
      {"a line, then a page", {3}, block + 2, {block, 7}},
      {"pieces inside the block", {3}, 0, {15}, 10},
      {"pieces to the block's end", {block - 12}, 0, {block}, 10},
      {"pieces one byte past the block's end", {block - 11}, 0, {block, 1}, 10},
      {"pieces across the block's end", {block - 7}, 0, {block, 5}, 10},
      {"pieces longer than a block", {1}, 0, {block, 6}, block + 3},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    std::string expected;
    {
      RunFile file(platform, "informe.txt");
      char letter = 'a';
      for (std::size_t length : c.lines) {
        const std::string line = std::string(length, letter++) + "\r\n";
        file.appendEndedLines(line);
        expected += line;
      }
      if (c.endedLines > 0) {
        const std::string page = std::string(c.endedLines - 2, 'p') + "\r\n";
        file.appendEndedLines(page);
        expected += page;
      }
      if (c.pieces > 0) {
        const std::string middle(c.pieces - 4, 'w');
        file.appendEndedLines("<", middle, ">\r\n");
        expected += "<" + middle + ">\r\n";
      }
      file.close();
      EXPECT_TRUE(file.wholeWritten()) << c.what;
    }
    EXPECT_EQ(platform.writes["informe.txt"], c.writes) << c.what;
    EXPECT_EQ(platform.fileBytes("informe.txt"), expected) << c.what;
  }
}

TEST(ReportLines, FieldsAsStored) {
  EntriesRead m;
  add(m, std::string(255, 'x') + "  a b ", 1234567.5, "quitar", "periodo", "1semanames",
      "09/07/0050", Unit::weeks, 7);
  add(m, "Enorme", 1e300, "poner", "concreta", "09/07/0050"); // an amount of 401 characters
  const std::string comment = m.entries[0].comment;
  const std::string huge = formatMoney(1e300);
  const std::string last = formatMoney(1e300 - 1234467.5);
  EXPECT_EQ(project(m, configOf("08/07/0050", "09/07/0050", 100.004)),
            (Lines{"Viernes 08/07/0050", "Sabado 09/07/0050",
                   "ACTIVACI\xD3N !! " + comment + " quitar 1.234.567'50 periodo 1semanames",
                   comment + " 100'00 quitar 1.234.567'50 = -1.234.467'50 periodo 1semanames", "",
                   "Enorme -1.234.467'50 poner " + huge + " = " + last + " concreta 09/07/0050", "",
                   "", "", "Saldo total = " + last}));
  EXPECT_EQ(project({}, configOf("08/07/0050", "09/07/0050", -1e-12)).back(), "Saldo total = '00");
}

} // namespace
} // namespace balvix::testing
