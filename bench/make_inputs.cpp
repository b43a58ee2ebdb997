// Writes the input files of one benchmark case into a directory: config.txt
// and entrada.txt, Windows-1252 with CR LF line ends, the same bytes on every
// run (a fixed pseudo-random sequence).
//
// usage: make_inputs CASE DIRECTORY    CASE: typical, long, many, fifty or
//                                      calendar
//
//   typical  one year, 50 movements of each moment (concreta, mensualidad,
//            periodo with its four units in turn)
//   long     01/01/1900 to 31/12/2099, 200 movements of each moment
//   many     40 years and 30,000 movements, mostly one-off dates and yearly
//            periods, so that few of them fall due on most days
//   fifty    01/01/2000 to 31/12/2049, 200 movements, the three moments in
//            turn (the case measured under Wine)
//   calendar 01/01/0001 to 31/12/9999, the whole calendar, with three
//            movements every day (a report of about 0.9 GB)

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// SplitMix64: small, fast and the same everywhere.
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A whole number from `low` to `high`, both included.
  int between(int low, int high) {
    return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
  }
};

bool isLeap(int year) {
  return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int daysIn(int year, int month) {
  static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeap(year) ? 29 : lengths[month - 1];
}

std::string dateText(int day, int month, int year) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", day, month, year);
  return text;
}

// A real day of a year from `firstYear` to `lastYear`; month ends and leap
// days come up more often than by chance.
std::string someDate(Random& random, int firstYear, int lastYear) {
  int year = random.between(firstYear, lastYear);
  int month = random.between(1, 12);
  int day =
      random.between(1, 10) == 1 ? daysIn(year, month) : random.between(1, daysIn(year, month));
  return dateText(day, month, year);
}

std::string amountText(Random& random) {
  return std::to_string(random.between(1, 2000)) + "." + std::to_string(random.between(10, 99));
}

class Writer {
public:
  Writer(const std::string& path, Random& random) : out_(path, std::ios::binary), random_(random) {}

  void line(std::string_view text) { out_ << text << "\r\n"; }

  void movement(std::string_view moment, const std::string& when, const std::string& activation) {
    ++count_;
    std::string text = count_ % 7 == 0 ? "Recibo del a\xF1o " : "Movimiento ";
    text += std::to_string(count_);
    text += '|';
    text += amountText(random_);
    text += count_ % 3 == 0 ? "|poner|" : "|quitar|";
    text += moment;
    text += '|';
    text += when;
    text += '|';
    text += activation;
    line(text);
  }

  void once(int firstYear, int lastYear) {
    movement("concreta", someDate(random_, firstYear, lastYear), "0");
  }
  void monthly() { movement("mensualidad", std::to_string(random_.between(1, 28)), "0"); }
  void periodic(std::string_view unit, int lowCount, int highCount, int firstYear, int lastYear) {
    movement("periodo", std::to_string(random_.between(lowCount, highCount)) + std::string(unit),
             someDate(random_, firstYear, lastYear));
  }

  bool good() const { return out_.good(); }

private:
  std::ofstream out_;
  Random& random_;
  int count_ = 0;
};

constexpr std::string_view years = "a\xF1o";

// A periodic movement of the i-th unit, taking the four units in turn.
void periodicOfUnit(Writer& entries, int i, int first, int last) {
  switch (i % 4) {
  case 0:
    entries.periodic(years, 1, 2, first - 5, last);
    break;
  case 1:
    entries.periodic("mes", 1, 3, first - 1, last);
    break;
  case 2:
    entries.periodic("semana", 1, 4, first - 1, last);
    break;
  default:
    entries.periodic("dia", 5, 60, first - 1, last);
    break;
  }
}

// `perMoment` movements of each moment over the years `first` to `last`; the
// periodic ones take the four units in turn.
void everyKind(Writer& entries, int perMoment, int first, int last) {
  entries.line("; cada clase de movimiento");
  for (int i = 0; i < perMoment; ++i) {
    entries.once(first, last);
    entries.monthly();
    periodicOfUnit(entries, i, first, last);
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_inputs typical|long|many|fifty|calendar DIRECTORY\n", stderr);
    return 2;
  }
  std::string_view name = argv[1];
  std::string dir = argv[2];
  Random random{20270101};
  Writer entries(dir + "/entrada.txt", random);
  std::string period;
  if (name == "typical") {
    period = "01/01/2027|31/12/2027";
    everyKind(entries, 50, 2027, 2027);
  } else if (name == "long") {
    period = "01/01/1900|31/12/2099";
    everyKind(entries, 200, 1900, 2099);
  } else if (name == "fifty") {
    period = "01/01/2000|31/12/2049";
    entries.line("; los tres momentos por turno");
    for (int i = 0; i < 200; ++i) {
      if (i % 3 == 0) {
        entries.once(2000, 2049);
      } else if (i % 3 == 1) {
        entries.monthly();
      } else {
        periodicOfUnit(entries, i / 3, 2000, 2049);
      }
    }
  } else if (name == "calendar") {
    period = "01/01/0001|31/12/9999";
    entries.line("; tres movimientos cada dia");
    for (int i = 0; i < 3; ++i) {
      entries.movement("periodo", "1dia", "01/01/0001");
    }
  } else if (name == "many") {
    period = "01/01/2000|31/12/2039";
    entries.line("; muchos movimientos, pocos de ellos cada dia");
    for (int i = 0; i < 30000; ++i) {
      int kind = random.between(1, 300);
      if (kind <= 200) {
        entries.once(1995, 2044);
      } else if (kind <= 290) {
        entries.periodic(years, 1, random.between(1, 4) == 1 ? 5 : 1, 1990, 2039);
      } else if (kind <= 291) {
        entries.monthly();
      } else if (kind <= 294) {
        entries.periodic("mes", 6, 36, 1995, 2039);
      } else if (kind <= 297) {
        entries.periodic("semana", 8, 52, 1995, 2039);
      } else {
        entries.periodic("dia", 60, 720, 1995, 2039);
      }
    }
  } else {
    std::fprintf(stderr, "make_inputs: unknown case %s\n", argv[1]);
    return 2;
  }
  std::ofstream config(dir + "/config.txt", std::ios::binary);
  config << period << "|2500.00|informe.txt\r\n";
  return entries.good() && config.good() ? 0 : 1;
}
