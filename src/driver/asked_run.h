#pragma once

#include "calendar/calendar.h"
#include "driver/outcome.h"
#include "platform/platform.h"
#include "projection/argument.h"
#include "report/run.h"

#include <string_view>

namespace balvix {

// The run an argument asks for (runSpanOf). "int" projects the whole
// configured period and an amount the period up to its day; a date projects
// from the first day of the period up to that date when it lies strictly
// inside the period, and otherwise writes nothing and has only "La fecha NO
// esta dentro del intervalo ..." to tell. `project` writes the projection
// (the text report unless told otherwise).
Outcome runAskedSpan(Platform& platform, const RunInputs& inputs, const Argument& argument,
                     const Projection& project = writeReport);

} // namespace balvix
