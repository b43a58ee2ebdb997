// Micro-benchmarks of the pieces a run repeats: the text of an amount, the
// numeric value of a field, reading a movements file and walking days with
// many movements. The report goes to a file that only counts its bytes,
// so the walk is measured without the file system.

#include "input/entries.h"
#include "input/numeric_value.h"
#include "projection/engine.h"
#include "projection/money.h"
#include "report/report.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace balvix {
namespace {

// A program directory whose files only count the bytes written to them.
class CountingPlatform : public Platform {
public:
  std::string commandTail() override { return {}; }
  void showMessage(std::string_view) override {}
  void openDocument(std::string_view) override {}
  bool exists(std::string_view) override { return false; }
  bool removeFile(std::string_view) override { return true; }
  std::unique_ptr<AppendFile> openForAppend(std::string_view) override {
    return std::make_unique<CountingFile>(bytes);
  }
  std::optional<std::string> readFile(std::string_view) override { return std::nullopt; }
  FolderListing listFolder(std::string_view) override { return {}; }
  std::optional<std::string> readFolderFile(std::string_view, const FolderEntry&) override {
    return std::nullopt;
  }
  bool folderFound() override { return true; }
  std::unique_ptr<FolderLock> lockFolder() override { return nullptr; }

  std::uint64_t bytes = 0;

private:
  class CountingFile : public AppendFile {
  public:
    explicit CountingFile(std::uint64_t& bytes) : bytes_(bytes) {}

    bool write(std::string_view bytes) override {
      bytes_ += bytes.size();
      return true;
    }
    bool close() override { return true; }

  private:
    std::uint64_t& bytes_;
  };
};

// A movements file of `count` lines: mostly one-off dates and yearly periods
// over 2000 to 2039, a few monthly and other periodic movements, as
// "dd/mm/aaaa" texts that a fixed sequence varies.
std::string movementsText(int count) {
  std::string text = "; movimientos\r\n";
  std::uint32_t state = 12345;
  auto next = [&state](std::uint32_t below) {
    state = state * 1664525U + 1013904223U;
    return (state >> 8) % below;
  };
  char date[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(date, sizeof date, "%02u/%02u/%04u", 1 + next(28), 1 + next(12), 2000 + next(40));
    text += "Movimiento " + std::to_string(i) + "|" + std::to_string(1 + next(2000)) + "." +
            std::to_string(10 + next(90)) + (i % 2 == 0 ? "|poner|" : "|quitar|");
    switch (next(10)) {
    case 0:
      text += "mensualidad|" + std::to_string(1 + next(28)) + "|0";
      break;
    case 1:
      text += "periodo|" + std::to_string(1 + next(30)) + "semana|" + date;
      break;
    case 2:
    case 3:
    case 4:
      text += "periodo|1a\xF1o|" + std::string(date);
      break;
    default:
      text += "concreta|" + std::string(date) + "|0";
      break;
    }
    text += "\r\n";
  }
  return text;
}

void formatMoneyOfAmounts(benchmark::State& state) {
  const std::array<double, 8> amounts = {0.5,       12.5,        1850.5,       -250,
                                         45000.905, 1234567.125, 99999999.995, -0.004};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(formatMoney(amounts[i++ % amounts.size()]));
  }
}
BENCHMARK(formatMoneyOfAmounts);

void numericValueOfFields(benchmark::State& state) {
  const std::array<std::string_view, 8> texts = {"1850.50", "28",    "0",    "2013",
                                                 "1e3",     "12abc", "&H1F", "  0.01"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numericValue(texts[i++ % texts.size()]));
  }
}
BENCHMARK(numericValueOfFields);

void parseMovementLines(benchmark::State& state) {
  const std::string text = movementsText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    EntriesRead read = parseEntries(text, {});
    benchmark::DoNotOptimize(read.entries.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(parseMovementLines)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Walks state.range(1) days from 01/07/2020 with state.range(0) movements,
// everything a run does but the writing of the lines.
void walkDaysWithMovements(benchmark::State& state) {
  const EntriesRead movements = parseEntries(movementsText(static_cast<int>(state.range(0))), {});
  const DateParts first{1, 7, 2020};
  const DateParts last = addDays(first, state.range(1) - 1);
  CountingPlatform platform;
  for (auto _ : state) {
    RunFile report(platform, "informe.txt");
    ReportWriter writer(report, movements.entries, 2500);
    benchmark::DoNotOptimize(
        walkDays(writer, movementListOf(movements.entries), 2500, first, last));
    report.close();
  }
  state.counters["bytes"] =
      benchmark::Counter(static_cast<double>(platform.bytes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(walkDaysWithMovements)
    ->Args({30'000, 1})
    ->Args({30'000, 365})
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace balvix

BENCHMARK_MAIN();
