// Runs the real program on large input files and measures its peak memory.
//
// usage: peak_memory BALVIX LIMIT_MB
//
// Each case copies the program into a directory of its own, writes config.txt
// and entrada.txt there, starts `balvix int` in a child process and reads the
// child's peak resident memory from the system. A case passes when the run
// ends with exit code 0, without Errores.txt, with a whole report, and below
// LIMIT_MB. The numbers are printed, one line per case.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Case {
  const char* name;
  std::string entries;
  std::size_t reportLines; // the lines a whole report has
};

constexpr const char* config = "01/01/2027|31/12/2027|2500.00|informe.txt\r\n";
constexpr std::size_t days = 365;
constexpr std::size_t closingLines = 3;

// n below 100, with a leading zero below 10.
std::string twoDigits(std::size_t n) {
  return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// 200,000 movements, each once on a day of the year: 200,000 movement lines
// in the report, each followed by an empty line.
Case manyLines() {
  constexpr std::size_t count = 200'000;
  std::string text;
  text.reserve(count * 56);
  for (std::size_t i = 0; i < count; ++i) {
    text += "Movimiento " + std::to_string(i + 1) + "|" + std::to_string(i % 997 + 1) + ".25|";
    text += i % 2 == 0 ? "poner" : "quitar";
    text += "|concreta|" + twoDigits(i % 28 + 1) + "/" + twoDigits(i % 12 + 1) + "/2027|0\r\n";
  }
  return {"200,000 movement lines", text, days + 2 * count + closingLines};
}

// One movement whose comment is a line of 5 MB (it is stored cut to 255
// characters): due on the 1st of every month.
Case oneLongLine() {
  std::string text(5u << 20, 'x');
  text += "|10|poner|mensualidad|1|0\r\n";
  return {"one line of 5 MB", text, days + 2 * 12 + closingLines};
}

// One movement: what any start needs.
Case smallest() {
  return {"one short line", "Nomina|1850.50|poner|mensualidad|1|0\r\n",
          days + 2 * 12 + closingLines};
}

void write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::size_t lineCount(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t lines = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

struct Measure {
  int status = -1;
  long peakKilobytes = 0;
  double seconds = 0;
};

Measure run(const fs::path& program) {
  Measure m;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::execl(program.c_str(), program.c_str(), "int", static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid) {
    m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#if defined(__APPLE__)
    m.peakKilobytes = usage.ru_maxrss / 1024; // bytes there, kilobytes elsewhere
#else
    m.peakKilobytes = usage.ru_maxrss;
#endif
  }
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return m;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: peak_memory BALVIX LIMIT_MB\n", stderr);
    return 2;
  }
  const fs::path balvix = fs::absolute(argv[1]);
  const long limitKilobytes = std::atol(argv[2]) * 1024;
  const fs::path work = fs::temp_directory_path() / ("balvix-large-" + std::to_string(::getpid()));

  int failures = 0;
  for (Case (*make)() : {smallest, manyLines, oneLongLine}) {
    fs::remove_all(work);
    fs::create_directories(work);
    const fs::path program = work / balvix.filename();
    fs::copy_file(balvix, program);
    Case c = make();
    write(work / "config.txt", config);
    write(work / "entrada.txt", c.entries);
    const double megabytes = static_cast<double>(c.entries.size()) / (1 << 20);
    // The child counts the memory this process holds until it starts the
    // program, so the input text is let go first.
    std::string().swap(c.entries);
    std::fflush(stdout);

    Measure m = run(program);
    std::size_t lines = fs::exists(work / "informe.txt") ? lineCount(work / "informe.txt") : 0;
    bool passed = m.status == 0 && !fs::exists(work / "Errores.txt") && lines == c.reportLines &&
                  m.peakKilobytes <= limitKilobytes;
    std::printf("%-24s entrada.txt %8.1f MB  peak %7.1f MB  %6.2f s  report %zu lines  %s\n",
                c.name, megabytes, static_cast<double>(m.peakKilobytes) / 1024, m.seconds, lines,
                passed ? "ok" : "FAILED");
    if (!passed) {
      ++failures;
      std::printf("  exit %d, Errores.txt %s, %zu of %zu report lines, limit %ld MB\n", m.status,
                  fs::exists(work / "Errores.txt") ? "written" : "absent", lines, c.reportLines,
                  limitKilobytes / 1024);
    }
  }
  fs::remove_all(work);
  return failures == 0 ? 0 : 1;
}
