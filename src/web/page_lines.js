// The balance lines of a balvix-grafico page and the figures the page works
// out in the browser: line 0 is the plan (the page's data), line i the
// scenario datos.escenarios[i - 1], each with its own points (its "dias", or
// the plan's). Lines are known by this number everywhere in the page's
// scripts. For each line, what can be spent today and the first day below
// a floor, compared and written from the amounts of the data, which are on
// the cent already; and how far today's balance is from the plan's. Used by the other scripts as balvixLines; tests load it
// with page_format.js alone.
var balvixLines = (function (format) {
  "use strict";

  // Okabe-Ito colours, told apart with the common colour blindness, and dash
  // patterns told apart in black and white: one per scenario, and the real
  // line's (black), all apart from the plan's solid blue.
  var COLOURS = ["#e69f00", "#cc79a7", "#56b4e9", "#009e73", "#d55e00", "#0072b2"];
  var DASHES = [[8, 4], [2, 3], [10, 3, 2, 3], [4, 4], [16, 4], [6, 3, 2, 3, 2, 3]];
  var REAL = { colour: "#000000", dash: [2, 2, 8, 2] };
  // The line "gastos/ingresos" (the plan's amounts scaled) has its own too.
  var SCALED = { colour: "#7f7f7f", dash: [14, 4, 3, 4] };

  // A line's colour belongs to it, not to its place: a scenario keeps the
  // pair it was first given, by its name, while it is drawn; a new one gets
  // the first pair no other has.
  var pairOf = {};
  function pairsFor(names) {
    var kept = {};
    var used = [];
    names.forEach(function (name) {
      if (pairOf[name] !== undefined && used.indexOf(pairOf[name]) < 0) {
        kept[name] = pairOf[name];
        used.push(kept[name]);
      }
    });
    names.forEach(function (name) {
      for (var k = 0; kept[name] === undefined; ++k) {
        if (used.indexOf(k) < 0) {
          kept[name] = k;
          used.push(k);
        }
      }
    });
    pairOf = kept;
    return kept;
  }

  // The day numbers of a list of ISO days, and the point index of each day
  // number: worked out once for each list, as the plan's days are the same
  // on every key typed.
  var indexed = new WeakMap();
  function dayIndex(days) {
    var known = indexed.get(days);
    if (!known) {
      var xs = days.map(format.dayNumberOfIso);
      var at = {};
      xs.forEach(function (x, k) {
        at[x] = k;
      });
      known = { xs: xs, at: at };
      indexed.set(days, known);
    }
    return known;
  }

  // Every line of the page's data: {number, name, source (its data), xs
  // (the day number of each point), at (point index of each day number),
  // first (the first walked day), periodLast (the last day of config.txt's
  // period), colour and dash (all but the plan)}. With `real`, the first
  // scenario is the plan walked from today's real balance.
  function linesOf(data, real) {
    var plan = dayIndex(data.dias);
    var planXs = plan.xs;
    var scenarios = (data.escenarios || []).slice(real ? 1 : 0).filter(function (s) {
      return !s.escalado;
    }).map(function (s) {
      return s.nombre;
    });
    var pairs = pairsFor(scenarios);
    var first = data.periodo ? format.dayNumberOfIso(data.periodo.desde) : planXs[0];
    var periodLast = data.periodo ? format.dayNumberOfIso(data.periodo.hasta) :
      planXs[planXs.length - 1];
    return [data].concat(data.escenarios || []).map(function (source, i) {
      var own = i > 0 && source.dias ? dayIndex(source.dias) : plan;
      var xs = own.xs;
      var at = own.at;
      var k = pairs[source.nombre];
      var pair = i === 0 ? { colour: null, dash: null } : real && i === 1 ? REAL :
        source.escalado ? SCALED :
          { colour: COLOURS[k % COLOURS.length], dash: DASHES[k % DASHES.length] };
      return { number: i, name: i === 0 ? "Plan" : source.nombre, source: source, xs: xs, at: at,
        first: Math.min(first, xs[0]), periodLast: periodLast, colour: pair.colour,
        dash: pair.dash };
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

  // The point of a line that today counts from: {k, note, beyond, began}.
  // Today in the walk: the point k holding it, note "", and began true when
  // that point is a week or a month that began before today. Before the
  // walk: the first point, and the note says from which day the figures
  // count. After the walk: beyond, and the note says that today was not
  // projected, the walk's last day and how to walk further (a later run, or
  // a longer period in config.txt once the walk reached its end).
  function todayPoint(line, todayX) {
    var xs = line.xs;
    var last = xs.length - 1;
    if (todayX > xs[last]) {
      var note = xs[last] >= line.periodLast
        ? "hoy es posterior al último día del periodo de config.txt, el " +
          format.dateText(xs[last]) + "; para llegar a hoy, amplíe el periodo en config.txt"
        : "hoy es posterior al último día proyectado, el " + format.dateText(xs[last]) +
          "; para llegar a hoy, proyecte con int o hasta una fecha a partir de hoy";
      return { k: last, note: note, beyond: true, began: false };
    }
    if (todayX < line.first) {
      return { k: 0, note: "desde el " + format.dateText(line.first) + "; ", beyond: false,
        began: false };
    }
    var k = 0;
    while (xs[k] < todayX) {
      k++;
    }
    var pointFirst = k > 0 ? xs[k - 1] + 1 : line.first;
    return { k: k, note: "", beyond: false, began: todayX > pointFirst };
  }

  // What can be spent today and still never end a day below `floor` (an
  // amount on the cent): {text (the amount as the page writes it, or why
  // there is none), detail}. Today after the walk gives no amount. When
  // today's point is a week or a month that began before today, and its
  // lowest, which may be of a day already past, is what the figure rests on,
  // the detail says that the figure is that point's lowest.
  function spendToday(line, todayX, floor) {
    var from = todayPoint(line, todayX);
    if (from.beyond) {
      return { text: "sin proyectar", detail: from.note };
    }
    var futures = line.source.minimosFuturos;
    var lowest = futures[from.k];
    var k = from.k;
    var last = line.xs.length - 1;
    var words = floor === 0 ? ["de cero", "a 0'00"] : ["del colchón", "al colchón"];
    var spend = format.difference(lowest, floor);
    var low = lowOf(line, k);
    var rest = k < last ? futures[k + 1] : Infinity;
    if (from.began && low !== line.source.saldos[k] && (rest >= low || low < floor)) {
      var ofPoint = "el saldo más bajo " + ("de " + pointText(line, k)).replace(/^de el /, "del ") +
        ", que empezó antes de hoy";
      if (lowest > floor) {
        return { text: spend, detail: ofPoint };
      }
      return { text: "nada", detail: ofPoint + ", " +
        (low < floor ? "baja " + words[0] : "llega " + words[1]) };
    }
    if (lowest > floor) {
      while (k < last && lowOf(line, k) !== lowest) {
        k++;
      }
      return { text: spend,
        detail: from.note + "el saldo más bajo que queda, " + pointText(line, k) };
    }
    while (k < last && lowOf(line, k) > lowest && lowOf(line, k) >= floor) {
      k++;
    }
    var below = lowOf(line, k) < floor;
    return { text: "nada", detail: from.note + "el saldo " + (below ? "baja " +
      words[0] : "llega " + words[1]) + " " + pointText(line, k) };
  }

  // The lines for today's figures, exact to the day on pages of weeks or
  // months: each line whose walk holds today becomes a line of days made of
  // its record lows (balvixEngine's bajos: the days below every day before
  // them, and from today on below every day from today on), on which
  // spendToday and firstBelow give what they would on every day. The others
  // stay as they are.
  function exactLines(lines, lows, todayX) {
    return lines.map(function (line, i) {
      var days = lows[i] || [];
      var xs = days.map(function (day) { return format.dayNumberOfIso(day[0]); });
      if (xs.indexOf(todayX) < 0) {
        return line;
      }
      var balances = days.map(function (day) { return day[1]; });
      var futures = balances.slice();
      for (var k = futures.length - 2; k >= 0; k--) {
        futures[k] = Math.min(futures[k], futures[k + 1]);
      }
      var at = {};
      xs.forEach(function (x, k) {
        at[x] = k;
      });
      return { number: line.number, name: line.name, xs: xs, at: at, first: line.first,
        periodLast: line.periodLast, colour: line.colour, dash: line.dash,
        source: { paso: "dia", saldos: balances, minimosFuturos: futures } };
    });
  }

  // The first point of a line that ends below `floor` (for a week or a month,
  // whose lowest is below it): "05/03/2027 (-12'00)", or "nunca".
  function firstBelow(line, floor) {
    for (var k = 0; k < line.xs.length; k++) {
      if (lowOf(line, k) < floor) {
        return pointText(line, k).replace(/^el /, "") + " (" + format.amount(lowOf(line, k)) + ")";
      }
    }
    return "nunca";
  }

  // How far today's balance is from the plan's at the end of today
  // (`todayIso`), from the record lows of the engine's answer (the plan's
  // and the real line's first from today are today's); when the plan, whose
  // days are `days`, has no balance today, why.
  function todayDifference(lows, todayIso, days) {
    function onToday(line) {
      var found = (line || []).filter(function (pair) {
        return pair[0] === todayIso;
      })[0];
      return found ? found[1] : null;
    }
    var plan = onToday(lows && lows[0]);
    var real = onToday(lows && lows[1]);
    if (plan === null) {
      return "el plan no tiene saldo hoy: termina el " +
        format.dateText(format.dayNumberOfIso(days[days.length - 1])) + ", antes de hoy";
    }
    if (real === null || format.difference(real, plan) === "0'00") {
      return real === null ? "" : "lo mismo que el plan hoy";
    }
    return real > plan ? "+" + format.difference(real, plan) + " sobre el plan hoy" :
      format.difference(plan, real) + " bajo el plan hoy";
  }

  return { linesOf: linesOf, allDays: allDays, valuesOn: valuesOn, todayPoint: todayPoint,
    spendToday: spendToday, firstBelow: firstBelow, exactLines: exactLines,
    todayDifference: todayDifference };
})(balvixFormat);
