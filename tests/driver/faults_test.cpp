// Whole starts of the program while the file system fails under it: blocks that
// cannot be written, files that cannot be removed, a report name taken by a
// directory, a program directory where nothing can be created. Every start
// ends with exit code 0, never loses or mixes a file, and never lets a report
// with missing lines pass for a complete one.

#include "driver/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/chart_run.h"
#include "fake/fake_platform.h"
#include "input/messages.h"
#include "text/output_file.h"

namespace balvix {
namespace {

using testing::FakePlatform;

constexpr std::string_view config = "01/01/2013|03/01/2013|1000|informe.txt\r\n";
constexpr std::string_view entries = "Nomina|1500|poner|mensualidad|2|0\r\n"
                                     "Seguro|450|quitar|periodo|1a\xF1o|03/01/2013\r\n";
constexpr std::string_view faultyEntries = "Nomina|0|poner|mensualidad|2|0\r\n";
constexpr std::string_view oldReport = "Lunes 01/01/2001\r\n\r\n\r\nSaldo total = 5'00\r\n";
constexpr std::string_view oldLog = "entrada.txt L\xEDnea 7 [dinero] es erroneo, siempre mayor "
                                    "de 0 ...\r\n";

const std::vector<std::string> told{std::string(incompleteFileMessage)};
const std::vector<std::string> refused{std::string(inputErrorsMessage)};
const std::vector<std::string> refusedWithoutLog{std::string(logNotWrittenMessage)};
const std::vector<std::string> none;

void writeInputs(FakePlatform& platform, std::string_view movements = entries) {
  platform.writeFile("config.txt", config);
  platform.writeFile("entrada.txt", movements);
  platform.tail = "int";
}

// The report of a start on a file system that does not fail.
std::string wholeReport(std::string_view configuration = config) {
  FakePlatform platform;
  writeInputs(platform);
  platform.writeFile("config.txt", configuration);
  runProgram(platform);
  return platform.fileBytes("informe.txt").value_or("");
}

TEST(ReportWriteFaults, MissingBlocksAreToldAndTheRestIsWritten) {
  constexpr std::string_view forty = "01/01/2000|31/12/2039|1000|informe.txt\r\n";
  const std::string whole = wholeReport(forty);
  constexpr std::size_t block = OutputFile::blockSize;
  const std::size_t blocks = (whole.size() + block - 1) / block;
  ASSERT_GE(blocks, 4u);
  ASSERT_NE(whole.size() % block, 0u) << "the last block is a shorter one";
  struct Case {
    const char* what;
    std::size_t firstFailing; // writes to the report before the first failure
    std::size_t lastFailing;  // and the last failing one
  };
  const Case cases[] = {
      {"every block", 0, blocks - 1},
      {"the first block only", 0, 0},
      {"a block in the middle", 2, 2},
      {"the last block, written at the close", blocks - 1, blocks - 1},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    writeInputs(platform);
    platform.writeFile("config.txt", forty);
    platform.writeFails = [&](std::string_view name, std::size_t before) {
      return name == "informe.txt" && before >= c.firstFailing && before <= c.lastFailing;
    };
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, told) << c.what;
    EXPECT_EQ(platform.opened, std::vector<std::string>{"informe.txt"}) << c.what;

    std::string expected;
    for (std::size_t i = 0; i < blocks; ++i) {
      if (i < c.firstFailing || i > c.lastFailing) {
        expected += whole.substr(i * block, block);
      }
    }
    EXPECT_EQ(platform.fileBytes("informe.txt"), expected) << c.what;
    EXPECT_EQ(platform.fileBytes("config.txt"), forty) << c.what;
    EXPECT_EQ(platform.fileBytes("entrada.txt"), entries) << c.what;
  }
}

TEST(ErrorLogFaults, UnwritableLogStillRefusesTheRun) {
  struct Case {
    const char* what;
    std::string_view config;
    std::string_view entries;
  };
  const Case cases[] = {
      {"faulty movement", config, faultyEntries},
      {"faulty configuration", "01/01/2013|03/01/2013|-1|informe.txt", entries},
      {"both faulty", "01/01/2013|03/01/2013|1000|mal nombre.txt", faultyEntries},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.writeFile("config.txt", c.config);
    platform.writeFile("entrada.txt", c.entries);
    platform.tail = "int";
    platform.writeFails = [](std::string_view name, std::size_t) { return name == "Errores.txt"; };
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, refusedWithoutLog) << c.what;
    EXPECT_EQ(platform.opened, none) << c.what << ": a log with lines missing is not opened";
    EXPECT_EQ(platform.listing(),
              (std::vector<std::string>{"Errores.txt", "config.txt", "entrada.txt"}))
        << c.what << ": no report";
    EXPECT_EQ(platform.fileBytes("Errores.txt"), "") << c.what << ": the log was opened, no more";
  }
}

TEST(OldFileFaults, ReadOnlyOldFilesAreReplaced) {
  FakePlatform platform;
  writeInputs(platform);
  platform.writeFile("informe.txt", oldReport);
  platform.writeFile("Errores.txt", oldLog);
  platform.makeReadOnly("informe.txt");
  platform.makeReadOnly("Errores.txt");
  EXPECT_EQ(runProgram(platform), 0);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.fileBytes("informe.txt"), wholeReport());
  EXPECT_FALSE(platform.exists("Errores.txt"));
}

TEST(OldFileFaults, OldReportThatCannotBeRemovedIsKeptWholeAndTheUserTold) {
  struct Case {
    const char* what;
    bool readOnlyDirectory;
  };
  for (const Case& c : {Case{"removal fails", false}, Case{"read-only directory", true}}) {
    FakePlatform platform;
    writeInputs(platform);
    platform.writeFile("informe.txt", oldReport);
    platform.removeFails = !c.readOnlyDirectory;
    platform.readOnlyDirectory = c.readOnlyDirectory;
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, told) << c.what;
    EXPECT_EQ(platform.opened, none) << c.what << ": the earlier report is not opened";
    EXPECT_EQ(platform.fileBytes("informe.txt"), oldReport)
        << c.what << ": no line of this run is mixed into the earlier report";
    EXPECT_EQ(platform.listing(),
              (std::vector<std::string>{"config.txt", "entrada.txt", "informe.txt"}))
        << c.what;
  }
}

// An earlier log that cannot be removed is kept as it is: no line of this
// start goes into it, and it is never opened as this start's.
TEST(OldFileFaults, OldLogThatCannotBeRemoved) {
  struct Case {
    const char* what;
    std::string_view config;
    std::string_view entries;
    std::string_view tail;
    std::vector<std::string> messages;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {"good inputs still run", config, entries, "int", {}, {"informe.txt"}},
      {"the usage text", config, entries, "INT", {std::string(usageText)}, {}},
      {"faulty inputs are refused without the log",
       config,
       faultyEntries,
       "int",
       refusedWithoutLog,
       {}},
      {"a refusal without faults",
       "01/01/2013|01/01/2013|1000|informe.txt",
       entries,
       "int",
       refusedWithoutLog,
       {}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    writeInputs(platform, c.entries);
    platform.writeFile("config.txt", c.config);
    platform.tail = c.tail;
    platform.writeFile("Errores.txt", oldLog);
    platform.removeFails = true;
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, c.messages) << c.what;
    EXPECT_EQ(platform.opened, c.opened) << c.what;
    EXPECT_EQ(platform.fileBytes("Errores.txt"), oldLog) << c.what << ": the earlier log as it was";
  }
}

// A file another program puts under the name of the report, the page or the
// log between the removal of the old one and the creation of the new one is
// left alone: nothing goes into it, and it is not opened as this start's.
TEST(OldFileFaults, FileThatAppearsAfterTheRemovalIsLeftAlone) {
  struct Case {
    const char* what;
    bool chart;
    std::string_view entries;
    std::string name;
    std::string_view message;
  };
  const Case cases[] = {
      {"the report", false, entries, "informe.txt", incompleteFileMessage},
      {"the page", true, entries, "informe.html", incompleteFileMessage},
      {"the log", false, faultyEntries, "Errores.txt", logNotWrittenMessage},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    writeInputs(platform, c.entries);
    platform.writeFile(c.name, oldReport);
    platform.appearsAfterRemoval = c.name;
    EXPECT_EQ(c.chart ? runChartProgram(platform) : runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(c.message)}) << c.what;
    EXPECT_EQ(platform.opened, none) << c.what;
    EXPECT_EQ(platform.fileBytes(c.name), "not the program's\r\n") << c.what;
  }
}

TEST(OldFileFaults, ReportNameTakenByADirectory) {
  struct Case {
    const char* what;
    bool holdsAFile;
  };
  for (const Case& c : {Case{"empty directory", false}, Case{"directory with a file", true}}) {
    FakePlatform platform;
    writeInputs(platform);
    std::filesystem::create_directory(platform.pathOf("informe.txt"));
    if (c.holdsAFile) {
      platform.writeFile("informe.txt/mio.txt", "mine\r\n");
    }
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, told) << c.what;
    EXPECT_TRUE(std::filesystem::is_directory(platform.pathOf("informe.txt"))) << c.what;
    if (c.holdsAFile) {
      EXPECT_EQ(platform.fileBytes("informe.txt/mio.txt"), "mine\r\n") << c.what;
    }
    EXPECT_EQ(platform.listing(),
              (std::vector<std::string>{"config.txt", "entrada.txt", "informe.txt"}))
        << c.what;
  }
}

TEST(ReadOnlyDirectoryFaults, NothingIsCreatedAndTheUserIsTold) {
  struct Case {
    const char* what;
    std::string_view tail;
    std::string_view entries;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"a run cannot write its report", "int", entries, told},
      {"faulty inputs are refused without a log", "int", faultyEntries, refusedWithoutLog},
      {"the usage text needs no file", "INT", entries, {std::string(usageText)}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    writeInputs(platform, c.entries);
    platform.tail = c.tail;
    platform.readOnlyDirectory = true;
    EXPECT_EQ(runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, c.messages) << c.what;
    EXPECT_EQ(platform.listing(), (std::vector<std::string>{"config.txt", "entrada.txt"}))
        << c.what;
    EXPECT_EQ(platform.fileBytes("entrada.txt"), c.entries) << c.what;
  }
}

// Running out of memory anywhere ends the start with a message of its own and
// exit code 0; the input files keep their bytes, and a report or page being
// written is told incomplete (and opened, being this start's).
TEST(OutOfMemory, ToldAndNothingLost) {
  const std::string memory(outOfMemoryMessage);
  const std::string memoryInReport = memory + "\r\n" + std::string(incompleteFileMessage);
  constexpr std::string_view twoFaults = "Nomina|0|poner|mensualidad|2|0\r\n"
                                         "Seguro|0|quitar|mensualidad|2|0\r\n";
  struct Case {
    const char* what;
    bool chart;
    std::string_view entries;
    std::string readRunsOut;   // the input whose read runs out
    std::string appendRunsOut; // the file whose first write runs out of memory
    std::string message;
    std::vector<std::string> opened;
    std::vector<std::string> listing; // besides config.txt and entrada.txt
  };
  const Case cases[] = {
      {"reading the movements", false, entries, "entrada.txt", "", memory, {}, {}},
      {"reading the configuration", true, entries, "config.txt", "", memory, {}, {}},
      {"writing the error log", false, twoFaults, "", "Errores.txt", memory, {}, {"Errores.txt"}},
      {"writing the report",
       false,
       entries,
       "",
       "informe.txt",
       memoryInReport,
       {"informe.txt"},
       {"informe.txt"}},
      {"writing the page",
       true,
       entries,
       "",
       "informe.html",
       memoryInReport,
       {"informe.html"},
       {"informe.html"}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    writeInputs(platform, c.entries);
    platform.writeFile("Errores.txt", oldLog);
    platform.readRunsOutOfMemory = c.readRunsOut;
    platform.memoryRunsOut = [&](std::string_view name) { return name == c.appendRunsOut; };
    EXPECT_EQ(c.chart ? runChartProgram(platform) : runProgram(platform), 0) << c.what;
    EXPECT_EQ(platform.messages, std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(platform.opened, c.opened) << c.what;
    std::vector<std::string> listing = c.listing;
    listing.insert(listing.end(), {"config.txt", "entrada.txt"});
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(platform.listing(), listing) << c.what;
    EXPECT_EQ(platform.fileBytes("config.txt"), config) << c.what;
    EXPECT_EQ(platform.fileBytes("entrada.txt"), c.entries) << c.what;
    EXPECT_FALSE(platform.locked) << c.what;
    EXPECT_EQ(platform.toldWhileLocked, 0u) << c.what;
    if (!c.appendRunsOut.empty()) {
      EXPECT_EQ(platform.fileBytes(c.appendRunsOut), "") << c.what;
    }
  }
}

// Before the report or page is opened, running out of memory is told as
// anywhere else in a start: no file of the run is there to tell of or open.
TEST(OutOfMemory, BeforeTheFileIsOpened) {
  for (const bool chart : {false, true}) {
    FakePlatform platform;
    writeInputs(platform, entries);
    platform.openRunsOutOfMemory = chart ? "informe.html" : "informe.txt";
    EXPECT_EQ(chart ? runChartProgram(platform) : runProgram(platform), 0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{std::string(outOfMemoryMessage)});
    EXPECT_TRUE(platform.opened.empty());
    EXPECT_EQ(platform.listing(), (std::vector<std::string>{"config.txt", "entrada.txt"}));
  }
}

} // namespace
} // namespace balvix
