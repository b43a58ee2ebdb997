#include "driver/program.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "input/messages.h"

namespace balvix {
namespace {

using testing::FakePlatform;

constexpr std::string_view goodConfig = "01/01/2013|03/01/2013|1000|informe.txt\r\n";
constexpr std::string_view goodEntries = "Nomina|1500|poner|mensualidad|2|0\r\n";

TEST(ProgramStart, UsageTextForEveryUnacceptedArgument) {
  for (const char* tail : {"", "INT", "Int", "int x", "12/09/2013 x", "1.2.3", "31/04/2013"}) {
    FakePlatform platform;
    platform.writeFile("config.txt", goodConfig);
    platform.writeFile("entrada.txt", goodEntries);
    platform.tail = tail;
    EXPECT_EQ(runProgram(platform), 0);
    ASSERT_EQ(platform.messages.size(), 1u) << tail;
    EXPECT_EQ(platform.messages[0], usageText);
    EXPECT_TRUE(platform.opened.empty());
    EXPECT_EQ(platform.listing(), (std::vector<std::string>{"config.txt", "entrada.txt"}));
  }
}

TEST(ProgramStart, OldErrorLogIsRemovedEvenWhenReadOnly) {
  FakePlatform platform;
  platform.writeFile("Errores.txt", "old\r\n");
  platform.makeReadOnly("Errores.txt");
  platform.tail = "";
  EXPECT_EQ(runProgram(platform), 0);
  EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(usageText)});
  EXPECT_FALSE(platform.exists("Errores.txt"));
}

TEST(ProgramStart, MissingFilesMessageNamesBothFiles) {
  struct Case {
    bool config;
    bool entries;
  };
  for (Case c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
    FakePlatform platform;
    if (c.config) {
      platform.writeFile("config.txt", goodConfig);
    }
    if (c.entries) {
      platform.writeFile("entrada.txt", goodEntries);
    }
    platform.tail = "int";
    EXPECT_EQ(runProgram(platform), 0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(missingFilesMessage)});
    EXPECT_TRUE(platform.opened.empty());
    EXPECT_FALSE(platform.exists("Errores.txt"));
  }
}

TEST(ProgramStart, MissingFilesMessageBytes) {
  EXPECT_EQ(missingFilesMessage,
            "No existen ficheros de programa: \r\nentrada.txt\r\nconfig.txt\r\nconsulta ayuda ...");
}

struct RefusalCase {
  const char* what;
  std::string config;
  std::string entries;
  bool logWritten;
};

TEST(ProgramStart, RefusedRunsOpenTheErrorLog) {
  const RefusalCase cases[] = {
      {"start equals end", "03/01/2013|03/01/2013|1000|informe.txt", std::string(goodEntries),
       false},
      {"start after end", "04/01/2013|03/01/2013|1000|informe.txt", std::string(goodEntries),
       false},
      {"two configuration lines", std::string(goodConfig) + std::string(goodConfig),
       std::string(goodEntries), false},
      {"empty configuration", "", std::string(goodEntries), false},
      {"no movements", std::string(goodConfig), "; only a comment\r\n\r\n", false},
      {"faulty movement", std::string(goodConfig), "Nomina|0|poner|mensualidad|2|0", true},
      {"faulty configuration", "01/01/2013|03/01/2013|-1|informe.txt", std::string(goodEntries),
       true},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.writeFile("config.txt", c.config);
    platform.writeFile("entrada.txt", c.entries);
    platform.tail = "int";
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(inputErrorsMessage)})
        << c.what;
    EXPECT_EQ(platform.opened,
              c.logWritten ? std::vector<std::string>{"Errores.txt"} : std::vector<std::string>{})
        << c.what << ": only a log this start wrote is opened";
    EXPECT_EQ(platform.exists("Errores.txt"), c.logWritten) << c.what;
    EXPECT_FALSE(platform.exists("informe.txt")) << c.what;
  }
}

TEST(ProgramStart, FaultsOfTheMovementsComeFirst) {
  FakePlatform platform;
  platform.writeFile("config.txt", "01/01/2013|03/01/2013|1000|");
  platform.writeFile("entrada.txt", "Nomina|1500|Poner|mensualidad|2|0\r\n");
  platform.tail = "int";
  runProgram(platform);
  EXPECT_EQ(platform.fileBytes("Errores.txt"),
            "entrada.txt L\xEDnea 1 [acci\xF3n] es erroneo, debe ser [poner,quitar] ...\r\n"
            "config.txt L\xEDnea 1 [nombre fichero] es erroneo, debe ser [{letras y/\xF3 "
            "n\xFAmeros}.txt] ...\r\n");
}

// The chart program reads the scenarios last and refuses to start on their
// faults; balvix never reads them.
TEST(ProgramStart, ScenarioFaultsComeLastInTheChartProgramOnly) {
  const std::string scenarioFault = "escenarios" + std::string(1, pathSeparator) +
                                    "x.txt L\xEDnea 1 [quitar] es erroneo, no queda en entrada.txt "
                                    "un movimiento igual ...\r\n";
  FakePlatform platform;
  platform.writeFile("config.txt", "01/01/2013|03/01/2013|1000|");
  platform.writeFile("entrada.txt", goodEntries);
  platform.writeFile("escenarios/x.txt", "-Nomina\r\n");
  platform.tail = "int";
  runChartProgram(platform);
  EXPECT_EQ(platform.fileBytes("Errores.txt"),
            "config.txt L\xEDnea 1 [nombre fichero] es erroneo, debe ser [{letras y/\xF3 "
            "n\xFAmeros}.txt] ...\r\n" +
                scenarioFault);

  platform.writeFile("config.txt", goodConfig);
  platform.messages.clear();
  runChartProgram(platform);
  EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(inputErrorsMessage)});
  EXPECT_EQ(platform.fileBytes("Errores.txt"), scenarioFault);
  EXPECT_FALSE(platform.exists("informe.html"));
  runProgram(platform);
  EXPECT_TRUE(platform.exists("informe.txt"));
  EXPECT_FALSE(platform.exists("Errores.txt"));
}

// A balance beyond any number ends the walk on its day, and the user is told
// before the report, or the page, is opened.
TEST(ProgramStart, BalanceBeyondAnyNumberIsTold) {
  FakePlatform platform;
  platform.writeFile("config.txt", goodConfig);
  platform.writeFile("entrada.txt", "Uno|1e308|poner|mensualidad|2|0\r\n"
                                    "Dos|1e308|poner|mensualidad|2|0\r\n");
  platform.tail = "int";
  runProgram(platform);
  runChartProgram(platform);
  EXPECT_EQ(platform.messages, std::vector<std::string>(2, std::string(balanceOverflowMessage)));
  EXPECT_EQ(platform.opened, (std::vector<std::string>{"informe.txt", "informe.html"}));
  EXPECT_NE(platform.fileBytes("informe.html")
                .value_or("")
                .find("El saldo del plan ya no cabe en un número el 02/01/2013"),
            std::string::npos);
}

// An input file that is there but cannot be read is named in the log, and no
// scenario is read against a plan that was not; where the log cannot be
// written, the message names the file.
TEST(ProgramStart, UnreadableInputFileIsNamed) {
  for (std::string_view name : {entriesFileName, configFileName}) {
    for (bool logWritable : {true, false}) {
      FakePlatform platform;
      platform.writeFile("config.txt", goodConfig);
      platform.writeFile("entrada.txt", goodEntries);
      platform.writeFile("escenarios/x.txt", "-Nomina|1500|poner|mensualidad|2|0");
      platform.unreadable = name;
      if (!logWritable) {
        platform.writeFails = [](std::string_view file, std::size_t) {
          return file == "Errores.txt";
        };
      }
      platform.tail = "int";
      runChartProgram(platform);
      const std::string fault = std::string(name) + " [fichero] es erroneo, no se puede leer ...";
      EXPECT_EQ(platform.fileBytes("Errores.txt"), logWritable ? fault + "\r\n" : "") << name;
      EXPECT_EQ(platform.messages,
                std::vector<std::string>{logWritable ? std::string(inputErrorsMessage)
                                                     : std::string(logNotWrittenMessage) +
                                                           "\r\nNo se pudo leer " +
                                                           std::string(name) + " ..."})
          << name;
      EXPECT_EQ(platform.opened.size(), logWritable ? 1u : 0u) << name;
    }
  }
}

TEST(ProgramStart, AllowedRunWritesAndOpensTheReport) {
  for (const char* tail : {"int", "02/01/2013", "2500"}) {
    FakePlatform platform;
    platform.writeFile("config.txt", goodConfig);
    platform.writeFile("entrada.txt", goodEntries);
    platform.tail = tail;
    EXPECT_EQ(runProgram(platform), 0);
    EXPECT_TRUE(platform.messages.empty()) << tail;
    EXPECT_EQ(platform.opened, std::vector<std::string>{"informe.txt"}) << tail;
    EXPECT_FALSE(platform.exists("Errores.txt"));
  }
}

// Every start holds the folder lock while it touches files (from the removal
// of the old log on) and releases it before it tells the user anything, so
// that a message waiting for a click holds no other start back. A start
// whose folder is not found, or cannot be locked, says so and touches
// nothing.
TEST(ProgramStart, FolderLockedWhileWritingReleasedBeforeTelling) {
  struct Case {
    const char* what;
    const char* tail;
    std::string_view config; // not written when empty
    std::string_view entries;
    std::size_t locks;
    std::size_t told; // messages and opened files
    bool folderMissing = false;
    bool lockRefused = false;
    std::string_view message = ""; // the one message, when given
  };
  const Case cases[] = {
      {"usage", "INT", goodConfig, goodEntries, 1, 1},
      {"config.txt missing", "int", "", goodEntries, 1, 1},
      {"entrada.txt missing", "int", goodConfig, "", 1, 1},
      {"refused", "int", goodConfig, "Nomina|0|poner|mensualidad|2|0", 1, 2},
      {"refused without faults", "int", "01/01/2013|01/01/2013|1000|informe.txt", goodEntries, 1,
       1},
      {"outside the period", "05/01/2013", goodConfig, goodEntries, 1, 1},
      {"a run", "int", goodConfig, goodEntries, 1, 1},
      {"folder not found", "int", goodConfig, goodEntries, 0, 1, true, false,
       folderNotFoundMessage},
      {"folder not found, usage", "INT", goodConfig, goodEntries, 0, 1, true, false,
       folderNotFoundMessage},
      {"lock refused", "int", goodConfig, goodEntries, 0, 1, false, true, folderNotReservedMessage},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    if (!c.config.empty()) {
      platform.writeFile("config.txt", c.config);
    }
    if (!c.entries.empty()) {
      platform.writeFile("entrada.txt", c.entries);
    }
    platform.writeFile("Errores.txt", "old\r\n");
    platform.tail = c.tail;
    platform.folderMissing = c.folderMissing;
    platform.lockRefused = c.lockRefused;
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.locksTaken, c.locks) << c.what;
    EXPECT_FALSE(platform.locked) << c.what;
    EXPECT_EQ(platform.writtenUnlocked, 0u) << c.what;
    EXPECT_EQ(platform.toldWhileLocked, 0u) << c.what;
    EXPECT_EQ(platform.messages.size() + platform.opened.size(), c.told) << c.what;
    if (!c.message.empty()) {
      EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(c.message)}) << c.what;
      EXPECT_EQ(platform.fileBytes("Errores.txt"), "old\r\n") << c.what;
      EXPECT_EQ(platform.listing().size(), 3u) << c.what;
    }
  }
}

} // namespace
} // namespace balvix
