#include "projection/report.h"

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
  WrittenFile written = writeReport(platform, {configOf("01/01/2013", "31/12/2013", 1000), m},
                                    {{1, 1, 2013}, {3, 1, 2013}, std::nullopt});
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

TEST(Report, LostLineIsToldBeforeTheReportOpens) {
  struct Case {
    const char* what;
    std::size_t failing; // the append that fails
    bool closeFails;
  };
  const std::size_t none = 99;
  const Case cases[] = {
      {"the first day line", 0, false},
      {"a movement line", 2, false},
      {"the empty line after it", 3, false},
      {"the closing line", 10, false},
      {"the close, after every line", none, true},
  };
  for (const Case& c : cases) {
    EventPlatform platform;
    platform.appendFails = [&](std::string_view, std::size_t before) {
      return before == c.failing;
    };
    platform.closeFails = c.closeFails;
    EntriesRead m = example();
    RunConfig config = configOf("01/01/2013", "03/01/2013", 1000);
    platform.writeFile("config.txt", "");
    runInFolder(platform, [&] {
      return outcomeOf(
          writeReport(platform, {config, m}, {config.start, config.end, std::nullopt}));
    });
    EXPECT_EQ(platform.locksTaken, 1u) << c.what;
    EXPECT_EQ(platform.toldWhileLocked, 0u) << c.what;
    EXPECT_EQ(platform.events,
              (Lines{"No se pudo escribir el informe completo ...", "informe.txt"}))
        << c.what;
    EXPECT_EQ(linesOf(platform.fileBytes("informe.txt").value_or("")).size(),
              c.closeFails ? 11u : 10u)
        << c.what;
  }
}

TEST(ReportLines, FieldsAsStored) {
  EntriesRead m;
  add(m, std::string(255, 'x') + "  a b ", 1234567.5, "quitar", "periodo", "1semanames",
      "09/07/0050", Unit::weeks, 7);
  const std::string comment = m.entries[0].comment;
  EXPECT_EQ(project(m, configOf("08/07/0050", "09/07/0050", 100.004)),
            (Lines{"Viernes 08/07/0050", "Sabado 09/07/0050",
                   "ACTIVACI\xD3N !! " + comment + " quitar 1.234.567'50 periodo 1semanames",
                   comment + " 100'00 quitar 1.234.567'50 = -1.234.467'50 periodo 1semanames", "",
                   "", "", "Saldo total = -1.234.467'50"}));
  EXPECT_EQ(project({}, configOf("08/07/0050", "09/07/0050", -1e-12)).back(), "Saldo total = '00");
}

} // namespace
} // namespace balvix::testing
