#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/money.h"
#include "projection/walk_events.h"
#include "report/run_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// The report's lines of a walk: a day line per day, the activation and
// movement lines of each movement applied (the movement line followed by an
// empty line), then two empty lines and the closing line, written into the
// run's file; a walk that ended on a balance beyond any number closes with
// the line `El saldo ya no cabe en un número con "comment": el informe
// termina aquí ...` instead, naming the movement not applied. The amounts are written as
// formatMoney writes them; the texts of a movement's line that never change are written once, when
// it first applies, and the running balance once per change.
class ReportWriter : public WalkEvents {
public:
  ReportWriter(RunFile& file, const std::vector<Entry>& entries, double openingBalance);

  void day(const DateParts& date) override;
  void activation(std::size_t movement) override;
  void movement(std::size_t movement, double before, double after) override;
  void overflow(std::size_t movement) override;
  void closing(double balance) override;

  // True when the walk ended on a balance that no longer fits in a number:
  // the report ends with the line that says so instead of the closing
  // balance, and is shorter than the run asked for.
  bool overflowed() const { return overflowMovement_.has_value(); }

private:
  // The texts of a movement's line that never change, written once, when it
  // first applies, so that a line is put together from one place: the head
  // "comment ", the middle " action amount = " and the tail " moment when"
  // with the line end and the empty line. They lie in store_ one after the
  // other, from `at`; none are written while `tail` is 0 (a tail holds its
  // line ends at least).
  struct Placed {
    std::size_t at = 0;
    std::uint32_t head = 0;
    std::uint32_t middle = 0;
    std::uint32_t tail = 0;
  };
  // Writes the texts of the entry's pieces at the end of store_.
  Placed writeTexts(const Entry& entry);
  struct Pieces {
    std::string_view head;
    std::string_view middle;
    std::string_view tail;
  };
  Pieces piecesOf(std::size_t movement);

  RunFile& file_;
  const std::vector<Entry>& entries_;
  std::vector<Placed> placed_;            // by movement: where its pieces lie in store_
  std::string store_;                     // the texts of the movements applied so far
  double balance_;                        // the balance whose text is balanceTexts_[balanceAt_]
  std::array<MoneyText, 2> balanceTexts_; // the other one takes the next balance's text
  std::size_t balanceAt_ = 0;
  std::optional<std::size_t> overflowMovement_; // the movement not applied
};

} // namespace balvix
