#include "input/scenarios.h"

#include "driver/error_log.h"
#include "driver/input_files.h"
#include "fake/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace balvix {
namespace {

const std::string plan = "; plan\r\n"
                         "Nomina|1000|poner|mensualidad|1|0\r\n"
                         "Luz|50|quitar|mensualidad|5|0\r\n"
                         "Luz|50|quitar|mensualidad|5|0\r\n";
const std::string car = "Coche|200|quitar|mensualidad|10|0";
const std::string light = "Luz|50|quitar|mensualidad|5|0";

struct Read {
  ScenariosRead read;
  std::vector<std::string> log;
};

// One entry of a listed folder: a regular file unless marked, with its
// content, or none when it cannot be read.
struct File {
  std::string name;
  std::optional<std::string> content;
  bool regular = true;
};

const EntriesRead& planRead() {
  static const EntriesRead read = parseEntries(plan, nullptr);
  return read;
}

Read readFolder(const std::vector<File>& files, char separator = '/',
                FolderListing::State state = FolderListing::State::listed) {
  Read result;
  FolderListing listing{state, {}};
  for (const File& file : files) {
    listing.entries.push_back({file.name, file.name, file.regular});
  }
  const auto read = [&files](const FolderEntry& entry) {
    return std::find_if(files.begin(), files.end(),
                        [&entry](const File& file) { return file.name == entry.systemName; })
        ->content;
  };
  result.read = readScenarios(listing, read, planRead(), separator,
                              [&result](std::string_view line) { result.log.emplace_back(line); });
  return result;
}

File file(std::string name, std::string content) {
  return {std::move(name), std::move(content)};
}

// The comments of a scenario's movements, in the order it walks them.
std::string comments(const Scenario& scenario) {
  std::string text;
  for (const Entry* entry : movementListOf(scenario, planRead())) {
    text += entry->comment + " ";
  }
  return text;
}

TEST(ScenarioLines, AddAndTakeAwayMovements) {
  struct Case {
    const char* what;
    std::string content;
    std::string walked; // comments of the movements walked
    std::vector<std::size_t> taken;
    std::vector<std::string> log;
  };
  const std::string line3 = "escenarios/x.txt L\xEDnea 3 ";
  auto misplaced = [](int line) {
    return "escenarios/x.txt L\xEDnea " + std::to_string(line) +
           " [quitar] es erroneo, el - debe ser el primer caracter de la l\xEDnea ...";
  };
  const Case cases[] = {
      {"an added line", car + "\r\n", "Nomina Luz Luz Coche ", {}, {}},
      {"a taken line", "-" + light, "Nomina Luz ", {1}, {}},
      {"two identical taken one at a time",
       "-" + light + "\r\n-" + light + "\r\n",
       "Nomina ",
       {1, 2},
       {}},
      {"a third taken with none left, numbered past comments and empty lines",
       "-" + light + "\r\n; c\r\n\r\n-" + light + "\n-" + light,
       "Nomina ",
       {1, 2},
       {line3 + "[quitar] es erroneo, no queda en entrada.txt un movimiento igual ..."}},
      {"a taken line that is not byte for byte",
       car + "\r\n" + car + "\r\n-" + light + " ",
       "Nomina Luz Luz Coche Coche ",
       {},
       {line3 + "[quitar] es erroneo, no queda en entrada.txt un movimiento igual ..."}},
      {"a byte-order mark before the -", "\xEF\xBB\xBF-" + light, "Nomina Luz ", {1}, {}},
      {"marks of joined UTF-8 files or zero-width ones right before the -, a fault after a blank",
       "\xEF\xBB\xBF" + car + "\r\n\xEF\xBB\xBF-" + light + "\r\n\xEF\xBB\xBF\xE2\x80\x8B-" +
           light + "\r\n \xEF\xBB\xBF-" + light,
       "Nomina Coche ",
       {1, 2},
       {misplaced(4)}},
      {"blanks or a dash of an editor before or instead of the -, never added",
       " -" + light + "\r\n\t-" + light + "\r\n\xA0-" + light + "\r\n\x96" + light +
           "\r\n\xE2\x88\x92" + light + "\r\n\xC2\xA0\xE2\x80\x94" + light,
       "Nomina Luz Luz ",
       {},
       {misplaced(1), misplaced(2), misplaced(3), misplaced(4), misplaced(5), misplaced(6)}},
      {"a fault in an added line",
       "-" + light + "\r\n" + car + "\r\nCoche|1,5|poner|mensualidad|10|0",
       "Nomina Luz Coche Coche ",
       {1},
       {line3 + "[dinero] es erroneo, siempre mayor de 0 ..."}},
      {"a movement after a byte 26",
       "-" + light + "\r\n" + car + "\r\n\x1a" + car,
       "Nomina Luz Coche ",
       {1},
       {line3 + "[fin de texto] hay texto tras el caracter 26 ..."}},
  };
  for (const Case& c : cases) {
    const Read result = readFolder({file("x.txt", c.content)});
    ASSERT_EQ(result.read.scenarios.size(), 1u) << c.what;
    const Scenario& scenario = result.read.scenarios.front();
    EXPECT_EQ(scenario.name, "x") << c.what;
    EXPECT_EQ(comments(scenario), c.walked) << c.what;
    EXPECT_EQ(scenario.taken, c.taken) << c.what;
    EXPECT_EQ(result.log, c.log) << c.what;
    EXPECT_EQ(result.read.errorCount, static_cast<std::int32_t>(c.log.size())) << c.what;
  }
}

TEST(ScenarioFolder, FilesFaultsAndTheSixUsed) {
  const Read windows = readFolder({file("coche.txt", "x|0|poner|mensualidad|1|0")}, '\\');
  EXPECT_EQ(windows.log, std::vector<std::string>{"escenarios\\coche.txt L\xEDnea 1 [dinero] es "
                                                  "erroneo, siempre mayor de 0 ..."});

  EXPECT_EQ(readFolder({file(".txt", car)}).log,
            std::vector<std::string>{
                "escenarios/.txt [fichero] es erroneo, falta el nombre antes de .txt ..."});

  // Only names ending in ".txt", in any case, and not hidden, in byte order;
  // the first six are used, faults included, and the rest only named.
  std::vector<File> files{file("notas.md", car), file(".oculto.txt", car), file("._b.txt", car)};
  for (char name = 'h'; name >= 'a'; --name) {
    files.push_back(file(std::string(1, name) + (name == 'f' ? ".TXT" : ".txt"), car));
  }
  files[9].regular = false;     // b.txt
  files[8].content.reset();     // c.txt
  files[3].regular = false;     // h.txt, beyond the six: only named
  files[4].content = "-" + car; // g.txt, never read
  const Read read = readFolder(files);
  EXPECT_EQ(read.log, (std::vector<std::string>{
                          "escenarios/b.txt [fichero] es erroneo, no es un fichero normal ...",
                          "escenarios/c.txt [fichero] es erroneo, no se puede leer ..."}));
  ASSERT_EQ(read.read.scenarios.size(), 4u);
  EXPECT_EQ(read.read.scenarios[3].fileName, "f.TXT");
  EXPECT_EQ(read.read.leftOut, (std::vector<std::string>{"g.txt", "h.txt"}));
  EXPECT_EQ(read.read.unreadable, std::vector<std::string>{"escenarios/c.txt"});

  const Read unreadable = readFolder({}, '/', FolderListing::State::unreadable);
  EXPECT_EQ(unreadable.log,
            std::vector<std::string>{
                "escenarios [carpeta] es erroneo, no es una carpeta que se pueda leer ..."});
  EXPECT_EQ(unreadable.read.errorCount, 1);
  EXPECT_TRUE(readFolder({}, '/', FolderListing::State::absent).log.empty());
}

// Through the platform: only ".txt" names, in name order; a directory or a
// pipe of such a name is a fault, never waited on.
TEST(ScenarioFolder, ReadThroughThePlatform) {
  testing::FakePlatform platform;
  platform.writeFile("entrada.txt", plan);
  ErrorLog log(platform);
  const ErrorSink sink = [&log](std::string_view line) { log.appendLine(line); };
  EXPECT_TRUE(readScenarioFolder(platform, planRead(), sink).scenarios.empty());

  platform.writeFile("escenarios/notas.md", car);
  platform.writeFile("escenarios/b.txt", car);
  platform.writeFile("escenarios/A.TXT", "-" + light);
  platform.writeFile("escenarios/.oculto.txt", car); // hidden, and another system's copy
  const ScenariosRead read = readScenarioFolder(platform, planRead(), sink);
  EXPECT_EQ(read.errorCount, 0);
  ASSERT_EQ(read.scenarios.size(), 2u);
  EXPECT_EQ(read.scenarios[0].name, "A");
  EXPECT_EQ(read.scenarios[1].fileName, "b.txt");

  std::filesystem::create_directory(platform.pathOf("escenarios/c.txt"));
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(platform.pathOf("escenarios/d.txt").c_str(), 0600), 0);
#endif
  EXPECT_GE(readScenarioFolder(platform, planRead(), sink).errorCount, 1);
  log.close();
  EXPECT_NE(platform.fileBytes("Errores.txt")
                .value_or("")
                .find("escenarios" + std::string(1, pathSeparator) + "c.txt [fichero]"),
            std::string::npos);
}

} // namespace
} // namespace balvix
