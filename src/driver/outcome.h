#pragma once

#include "platform/platform.h"
#include "report/run.h"

#include <functional>
#include <string>
#include <string_view>

namespace balvix {

// What a start has left to tell the user once its files are written: a
// message, then a file of the program directory to open; either may be
// empty.
struct Outcome {
  std::string message;
  std::string document;
};

// A written report is opened; one with missing lines is announced first with
// "No se pudo escribir el informe completo ...", one whose walk ended on a
// balance beyond any number with "El saldo ya no cabe en un número ..." (both
// when both hold). An earlier report that
// could not be replaced is announced the same way and not opened.
Outcome outcomeOf(const WrittenFile& report);

// Runs `project` over `span` and returns outcomeOf its file. When memory runs
// out once the file is opened, the run ends there: the file, closed as it is,
// is told incomplete after "No hay memoria suficiente para terminar ..." (and
// opened when it is this run's). Memory running out before that goes on to
// the caller, as anywhere else in a start (see runInFolder).
Outcome runProjection(const Projection& project, Platform& platform, const RunInputs& inputs,
                      const RunSpan& span);

// One start in the program directory: `work` reads and writes the files
// while the start holds the folder lock (waiting while another start holds
// it). When the folder was not found, or cannot be locked, `work` does not
// run and the user is told so. The lock is released when `work` returns,
// before its outcome is told, so that a message waiting for the user holds no
// other start back.
void runInFolder(Platform& platform, const std::function<Outcome()>& work);

} // namespace balvix
