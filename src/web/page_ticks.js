// The ticks of the date axis of a balvix-grafico page's chart and their
// labels, for uPlot's axis options: days for a short stretch, months by name
// up to about two years, years beyond. Worked out afresh from the scale at
// each call. Used by page_chart.js as balvixTicks; dateTicks and tickLabels
// need no chart.
var balvixTicks = (function (format) {
  "use strict";

  // The finest of `steps` whose ticks (ticksOf(step)) number at most `room`.
  function finest(steps, ticksOf, room) {
    var ticks = [];
    for (var k = 0; k < steps.length; k++) {
      ticks = ticksOf(steps[k]);
      if (ticks.length <= room) {
        break;
      }
    }
    return ticks;
  }

  function dayTicks(min, max, room) {
    // Steps of a week fall on the 1st, 8th, 15th and 22nd of each month, of
    // two weeks on the 1st and the 15th.
    return finest([1, 2, 7, 14], function (step) {
      var ticks = [];
      for (var x = Math.ceil(min); x <= max; x++) {
        var day = format.dateOfDayNumber(x)[2];
        if (step < 7 ? x % step === 0 : day <= 22 && (day - 1) % step === 0) {
          ticks.push(x);
        }
      }
      return ticks;
    }, room);
  }

  // Of `steps`, the finest that fits in `room`: ticks on the first day of
  // every step-th unit (month or year, numbered as `firstDayOf` takes it),
  // from the unit `from` on.
  function firstDayTicks(min, max, room, steps, from, firstDayOf) {
    return finest(steps, function (step) {
      var ticks = [];
      for (var i = Math.ceil(from / step) * step; ; i += step) {
        var first = firstDayOf(i);
        if (first > max) {
          break;
        }
        if (first >= min) {
          ticks.push(first);
        }
      }
      return ticks;
    }, room);
  }

  function monthTicks(min, max, room) {
    var from = format.dateOfDayNumber(Math.floor(min));
    return firstDayTicks(min, max, room, [1, 2, 3, 6, 12], from[0] * 12 + from[1] - 1,
      function (month) {
        return format.dayNumber(Math.floor(month / 12), (month % 12) + 1, 1);
      });
  }

  function yearTicks(min, max, room) {
    var from = format.dateOfDayNumber(Math.floor(min))[0];
    return firstDayTicks(min, max, room, [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000],
      from, function (year) {
        return format.dayNumber(year, 1, 1);
      });
  }

  // The ticks of the date axis from `min` to `max` on a chart `width` pixels
  // wide, and how they are labelled ("day", "month" or "year"): days for a
  // short stretch, months by name up to about two years, years beyond; of
  // the steps that fit, the finest, and never fewer than three ticks.
  function dateTicks(width, min, max) {
    var span = max - min;
    if (span <= 92) {
      return { kind: "day", ticks: dayTicks(min, max, Math.max(3, Math.floor(width / 80))) };
    }
    var months = [];
    if (span <= 800) {
      months = monthTicks(min, max, Math.max(3, Math.floor(width / 60)));
      if (months.length >= 3) {
        return { kind: "month", ticks: months };
      }
    }
    var years = yearTicks(min, max, Math.max(3, Math.floor(width / 50)));
    if (years.length >= 3) {
      return { kind: "year", ticks: years };
    }
    return { kind: "month", ticks: monthTicks(min, max, Math.max(3, Math.floor(width / 60))) };
  }

  // The labels of `ticks` of a kind dateTicks gives: "2027"; "ene 2027" for
  // January and the first tick, "feb" for the other months; "05/03".
  function tickLabels(kind, ticks) {
    return ticks.map(function (x) {
      var date = format.dateOfDayNumber(Math.round(x));
      if (kind === "year") {
        return format.fourDigits(date[0]);
      }
      var month = format.MONTH_ABBREVIATIONS[date[1] - 1];
      if (kind === "month") {
        return date[1] === 1 || x === ticks[0] ? month + " " + format.fourDigits(date[0]) : month;
      }
      return format.twoDigits(date[2]) + "/" + format.twoDigits(date[1]);
    });
  }

  function cssWidth(u) {
    return u.bbox.width / (window.devicePixelRatio || 1);
  }

  // uPlot's splits of axis `axis`: the ticks from `min` to `max`.
  function dateTickValues(u, axis, min, max) {
    return dateTicks(cssWidth(u), min, max).ticks;
  }

  // uPlot's labels of the ticks of the x scale as it is now.
  function dateTickLabels(u, ticks) {
    return tickLabels(dateTicks(cssWidth(u), u.scales.x.min, u.scales.x.max).kind, ticks);
  }

  return { dateTicks: dateTicks, tickLabels: tickLabels, dateTickValues: dateTickValues,
    dateTickLabels: dateTickLabels };
})(balvixFormat);
