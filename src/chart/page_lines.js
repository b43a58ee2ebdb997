// The balance lines of a balvix-grafico page and the figures the page works
// out in the browser: line 0 is the plan (the page's data), line i the
// scenario datos.escenarios[i - 1], each with its own points (its "dias", or
// the plan's). Also today's date from the browser's clock
// (window.balvixToday) and, for each line, what can be spent today and the
// first day below a floor. Used by page.js as balvixLines.
var balvixLines = (function (format) {
  "use strict";

  // Okabe-Ito colours, told apart with the common colour blindness, and dash
  // patterns told apart in black and white; one per scenario.
  var COLOURS = ["#e69f00", "#cc79a7", "#56b4e9", "#009e73", "#d55e00", "#0072b2"];
  var DASHES = [[8, 4], [2, 3], [10, 3, 2, 3], [4, 4], [16, 4], [6, 3, 2, 3, 2, 3]];

  // The ISO date (aaaa-mm-dd) of the browser's local today.
  window.balvixToday = function () {
    var now = new Date();
    return format.fourDigits(now.getFullYear()) + "-" + format.twoDigits(now.getMonth() + 1) +
      "-" + format.twoDigits(now.getDate());
  };

  // Every line of the page's data: {number, name, source (its data), xs
  // (the day number of each point), at (point index of each day number),
  // first (the first walked day),
  // colour and dash (scenarios only)}.
  function linesOf(data, planXs) {
    var first = data.periodo ? format.dayNumberOfIso(data.periodo.desde) : planXs[0];
    return [data].concat(data.escenarios || []).map(function (source, i) {
      var xs = i > 0 && source.dias ? source.dias.map(format.dayNumberOfIso) : planXs;
      var at = {};
      xs.forEach(function (x, k) {
        at[x] = k;
      });
      return { number: i, name: i === 0 ? "Plan" : source.nombre, source: source, xs: xs, at: at,
        first: Math.min(first, xs[0]),
        colour: i > 0 ? COLOURS[(i - 1) % COLOURS.length] : null,
        dash: i > 0 ? DASHES[(i - 1) % DASHES.length] : null };
    });
  }

  // The day numbers of the points of every line, in order.
  function allDays(lines) {
    var xs = lines[0].xs;
    if (lines.every(function (line) { return line.xs === xs; })) {
      return xs;
    }
    var seen = {};
    var all = [];
    lines.forEach(function (line) {
      line.xs.forEach(function (x) {
        if (!seen[x]) {
          seen[x] = true;
          all.push(x);
        }
      });
    });
    return all.sort(function (a, b) { return a - b; });
  }

  // The values of a line's list at the days xs, null where it has no point.
  function valuesOn(line, values, xs) {
    if (line.xs === xs) {
      return values;
    }
    return xs.map(function (x) {
      var k = line.at[x];
      return k === undefined ? null : values[k];
    });
  }

  function cents(v) {
    return Math.round(v * 100);
  }

  // The lowest balance of a line's point k: the day's, or the week's or month's lowest.
  function lowOf(line, k) {
    var source = line.source;
    return source.paso === "dia" || !source.minimos ? source.saldos[k] : source.minimos[k];
  }

  // "el 05/03/2027", or "la semana (el mes) hasta el 05/03/2027".
  function pointText(line, k) {
    var step = line.source.paso;
    return (step === "semana" ? "la semana hasta el " : step === "mes" ? "el mes hasta el " : "el ") +
      format.dateText(line.xs[k]);
  }

  // The point of a line that today counts from: {k, note}, where note is
  // "" when today lies in the walk, else says from which day it counts (the
  // first walked day, also once the walk is over: the whole plan).
  function todayPoint(line, todayX) {
    var xs = line.xs;
    var last = xs.length - 1;
    if (todayX >= line.first && todayX <= xs[last]) {
      var k = 0;
      while (xs[k] < todayX) {
        k++;
      }
      return { k: k, note: "" };
    }
    var note = "desde el " + format.dateText(line.first);
    if (todayX > xs[last]) {
      note += " (el periodo terminó el " + format.dateText(xs[last]) + ")";
    }
    return { k: 0, note: note + "; " };
  }

  // What can be spent today and still never end a day below `floor`:
  // {amount (null for nothing), detail}.
  function spendToday(line, todayX, floor) {
    var from = todayPoint(line, todayX);
    var lowest = line.source.minimosFuturos[from.k];
    var k = from.k;
    var last = line.xs.length - 1;
    var words = floor === 0 ? ["de cero", "a 0'00"] : ["del colchón", "al colchón"];
    if (cents(lowest) > cents(floor)) {
      while (k < last && cents(lowOf(line, k)) !== cents(lowest)) {
        k++;
      }
      return { amount: lowest - floor,
        detail: from.note + "el saldo más bajo que queda, " + pointText(line, k) };
    }
    while (k < last && cents(lowOf(line, k)) > cents(lowest) &&
      cents(lowOf(line, k)) >= cents(floor)) {
      k++;
    }
    var below = cents(lowOf(line, k)) < cents(floor);
    return { amount: null, detail: from.note + "el saldo " + (below ? "baja " + words[0] :
      "llega " + words[1]) + " " + pointText(line, k) };
  }

  // The first point of a line that ends below `floor` (for a week or a month,
  // whose lowest is below it): "05/03/2027 (-12'00)", or "nunca".
  function firstBelow(line, floor) {
    for (var k = 0; k < line.xs.length; k++) {
      if (cents(lowOf(line, k)) < cents(floor)) {
        return pointText(line, k).replace(/^el /, "") + " (" + format.amount(lowOf(line, k)) + ")";
      }
    }
    return "nunca";
  }

  return { linesOf: linesOf, allDays: allDays, valuesOn: valuesOn, todayPoint: todayPoint,
    spendToday: spendToday, firstBelow: firstBelow };
})(balvixFormat);
