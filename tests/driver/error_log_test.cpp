#include "driver/error_log.h"

#include "driver/input_files.h"
#include "fake/fake_platform.h"
#include "input/entries.h"
#include "input/run_config.h"

#include <gtest/gtest.h>

#include <string>

namespace balvix {
namespace {

TEST(ErrorLog, FaultsOfBothFilesInOrder) {
  testing::FakePlatform platform;
  platform.writeFile("entrada.txt", "; cabecera\r\n"
                                    "|1|poner|mensualidad|1|0\r\n"
                                    "Solo texto\r\n");
  platform.writeFile("config.txt", "\r\nx|y|z|w\r\n");
  ErrorLog log(platform);
  const ErrorSink sink = [&log](std::string_view line) { log.appendLine(line); };
  EXPECT_EQ(readEntriesFile(platform, sink).errorCount, 6);
  EXPECT_EQ(readConfigFile(platform, sink, longestFileName).errorCount, 4);
  EXPECT_EQ(platform.fileBytes("Errores.txt"),
            "entrada.txt L\xEDnea 1 [comentario] es erroneo, m\xEDnimo 1 caracter ...\r\n"
            "entrada.txt L\xEDnea 2 [dinero] es erroneo, siempre mayor de 0 ...\r\n"
            "entrada.txt L\xEDnea 2 [acci\xF3n] es erroneo, debe ser [poner,quitar] ...\r\n"
            "entrada.txt L\xEDnea 2 [momento] es erroneo, debe ser "
            "[concreta,periodo,mensualidad] ...\r\n"
            "entrada.txt L\xEDnea 2 [cuando] es erroneo, debe ser "
            "[dd/mm/aaaa,cantidad{a\xF1o,mes,semana,dia},d\xED"
            "adelmes <= 28] ...\r\n"
            "entrada.txt L\xEDnea 2 [activar periodo] es erroneo, debe ser [dd/mm/aaaa,0] ...\r\n"
            "config.txt L\xEDnea 1 [fecha1] es erroneo, debe ser [dd/mm/aaaa] ...\r\n"
            "config.txt L\xEDnea 1 [fecha2] es erroneo, debe ser [dd/mm/aaaa] ...\r\n"
            "config.txt L\xEDnea 1 [dinero in\xED"
            "cio] es erroneo, debe ser 0 \xF3 mayor de 0 ...\r\n"
            "config.txt L\xEDnea 1 [nombre fichero] es erroneo, debe ser "
            "[{letras y/\xF3 n\xFAmeros}.txt] ...\r\n");
}

TEST(ErrorLog, LinesAreAppendedAndRemoved) {
  testing::FakePlatform platform;
  {
    ErrorLog log(platform);
    EXPECT_FALSE(platform.exists("Errores.txt")) << "no fault, no log";
    log.appendLine(std::string_view("uno\0dos", 7));
    EXPECT_EQ(platform.fileBytes("Errores.txt"), "uno\r\n") << "each line is in the file at once";
    log.appendLine("tres");
  }
  EXPECT_EQ(platform.fileBytes("Errores.txt"), "uno\r\ntres\r\n");

  removeErrorLog(platform);
  EXPECT_FALSE(platform.exists("Errores.txt"));
  removeErrorLog(platform); // nothing to remove is no fault
}

// Whether the log on disk can be shown as this start's: every line in it,
// and no earlier log kept in its place.
TEST(ErrorLog, CompleteOnlyWithEveryLineOfThisStart) {
  struct Case {
    const char* what;
    bool oldLogRemoved;
    std::size_t failingAppend; // the first append that fails; 9 for none
    bool closeFails;
    bool complete;
    bool written;
  };
  const Case cases[] = {
      {"every line written", true, 9, false, true, true},
      {"the second line lost", true, 1, false, false, true},
      {"every line lost", true, 0, false, false, false},
      {"the close failed", true, 9, true, false, true},
      {"an earlier log kept", false, 9, false, false, false},
  };
  for (const Case& c : cases) {
    testing::FakePlatform platform;
    platform.writeFile("Errores.txt", "old\r\n");
    if (c.oldLogRemoved) {
      removeErrorLog(platform);
    }
    platform.writeFails = [&](std::string_view, std::size_t before) {
      return before >= c.failingAppend;
    };
    platform.closeFails = c.closeFails;
    ErrorLog log(platform, c.oldLogRemoved);
    log.appendLine("uno");
    log.appendLine("dos");
    log.close();
    EXPECT_EQ(log.complete(), c.complete) << c.what;
    EXPECT_EQ(log.written(), c.written) << c.what;
    if (!c.oldLogRemoved) {
      EXPECT_EQ(platform.fileBytes("Errores.txt"), "old\r\n") << c.what;
    }
  }
}

TEST(ErrorLog, LostLineStillCounts) {
  testing::FakePlatform platform;
  platform.writeFails = [](std::string_view, std::size_t) { return true; };
  platform.writeFile("config.txt", "01/01/2014|31/12/2014|0|config.txt");
  ErrorLog log(platform);
  EXPECT_EQ(readConfigFile(
                platform, [&log](std::string_view line) { log.appendLine(line); }, longestFileName)
                .errorCount,
            1);
  EXPECT_EQ(platform.fileBytes("Errores.txt"), "");
}

} // namespace
} // namespace balvix
