// The readout under the chart of a balvix-grafico page: the day (or point)
// at index i of the page's data, its balance and what happened on it, every
// movement of a day; for a week or a month, its closing and lowest balance
// and what it put in and took out; then each shown scenario's balance and
// the movements it adds and takes away that day; after each line's balance,
// its future minimum less the cushion. Used by page.js as balvixReadout, whose plugin shows the
// day under the chart's cursor.
var balvixReadout = (function (format, chart) {
  "use strict";

  // A list of movements, each [comment, action, amount as the page writes it].
  function listOf(movements, prefix) {
    var list = document.createElement("ul");
    movements.forEach(function (movement) {
      var item = document.createElement("li");
      item.textContent = prefix + movement[0] + ": " + movement[1] + " " + movement[2];
      list.appendChild(item);
    });
    return list;
  }

  // "; se podría gastar ese día X sin bajar del colchón" for a line's point
  // k above the cushion `cushion` (null: none, 0).
  function spendOnDay(line, k, cushion) {
    var low = line.source.minimosFuturos[k];
    var floor = cushion || 0;
    return "; se podría gastar ese día " +
      (format.cents(low) > format.cents(floor) ? format.difference(low, floor) : "nada") +
      " sin bajar del colchón";
  }

  // The paragraph and lists of a scenario's point k.
  function scenarioParts(line, k, cushion) {
    var scenario = line.source;
    var text = document.createElement("p");
    text.textContent = line.name + ": " + (scenario.paso === "dia"
      ? "saldo al final del día " + format.amount(scenario.saldos[k])
      : "saldo al cierre " + format.amount(scenario.saldos[k]) + ", el más bajo " +
        format.amount(scenario.minimos[k])) + spendOnDay(line, k, cushion);
    var parts = [text];
    var iso = scenario.paso === "dia" ? format.isoOfDayNumber(line.xs[k]) : null;
    [["anadidosDia", "apuntesAnadidos", "añade "], ["quitadosDia", "apuntesQuitados", "quita "]]
      .forEach(function (kind) {
        var indexes = iso && scenario[kind[0]] ? scenario[kind[0]][iso] : null;
        if (indexes) {
          parts.push(listOf(indexes.map(function (j) { return scenario[kind[1]][j]; }), kind[2]));
        }
      });
    return parts;
  }

  // The paragraphs and lists of the day x (a day number) for the lines
  // shown (shown[k] for line k), above the cushion `cushion`.
  function partsOf(data, lines, x, shown, cushion) {
    var i = lines[0].at[x];
    var heading = document.createElement("p");
    var day = document.createElement("strong");
    if (i === undefined || !shown[0]) {
      day.textContent = (data.paso === "dia" ? "" : (data.paso === "semana" ? "semana" : "mes") +
        " hasta el ") + format.weekday(x) + " " + format.dateText(x);
      heading.appendChild(day);
    } else if (data.paso === "dia") {
      day.textContent = format.weekday(x) + " " + format.dateText(x);
      heading.appendChild(day);
      heading.appendChild(document.createTextNode(": saldo al final del día " +
        format.amount(data.saldos[i]) + spendOnDay(lines[0], i, cushion)));
    } else {
      day.textContent = (data.paso === "semana" ? "semana" : "mes") + " hasta el " +
        format.weekday(x) + " " + format.dateText(x);
      heading.appendChild(day);
      heading.appendChild(document.createTextNode(": saldo al cierre " +
        format.amount(data.saldos[i]) + ", el más bajo " + format.amount(data.minimos[i]) +
        "; puesto " + format.sum(data.puesto[i]) + ", quitado " +
        format.sum(data.quitado[i]) + spendOnDay(lines[0], i, cushion)));
    }
    var parts = [heading];
    if (i !== undefined && shown[0] && data.paso === "dia" && data.movimientosDia) {
      var movements = data.movimientosDia[i];
      if (movements.length === 0) {
        var none = document.createElement("p");
        none.textContent = "Ningún movimiento este día.";
        parts.push(none);
      } else {
        parts.push(listOf(movements.map(function (k) { return data.apuntes[k]; }), ""));
      }
    }
    lines.slice(1).forEach(function (line) {
      var k = line.at[x];
      if (shown[line.number] && k !== undefined) {
        parts = parts.concat(scenarioParts(line, k, cushion));
      }
    });
    return parts;
  }

  // Shows point i of the chart (xs: the day number of each point) in
  // `element`; an index of no point leaves it as it is, so that the last day
  // read stays when the cursor leaves the chart, as a finger does.
  function show(element, data, lines, shown, xs, i, cushion) {
    if (!element || i === null || i === undefined || i < 0 || i >= xs.length) {
      return;
    }
    var parts = partsOf(data, lines, xs[i], shown, cushion);
    element.textContent = "";
    parts.forEach(function (part) {
      element.appendChild(part);
    });
  }

  // The readout of the day under the cursor in `element`, for the page's
  // data and its balvixLines lines, as a uPlot plugin: the lines it gives are
  // those shown on the chart; cushion() gives the cushion (null: none).
  function plugin(element, data, lines, cushion) {
    return {
      hooks: {
        setCursor: [function (u) {
          show(element, data, lines, chart.shownLines(u), u.data[0], u.cursor.idx, cushion());
        }]
      }
    };
  }

  return { plugin: plugin };
})(balvixFormat, balvixChart);
