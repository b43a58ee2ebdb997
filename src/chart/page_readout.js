// The readout under the chart of a balvix-grafico page: the day (or point)
// at index i of the page's data, its balance and what happened on it, every
// movement of a day; for a week or a month, its closing and lowest balance
// and what it put in and took out. Used by page.js as balvixReadout.
var balvixReadout = (function (format) {
  "use strict";

  // The paragraphs and list of point i (xs: the day number of each point).
  function partsOf(data, xs, i) {
    var x = xs[i];
    var heading = document.createElement("p");
    var day = document.createElement("strong");
    if (data.paso === "dia") {
      day.textContent = format.weekday(x) + " " + format.dateText(x);
      heading.appendChild(day);
      heading.appendChild(document.createTextNode(": saldo al final del día " +
        format.amount(data.saldos[i])));
    } else {
      day.textContent = (data.paso === "semana" ? "semana" : "mes") + " hasta el " +
        format.weekday(x) + " " + format.dateText(x);
      heading.appendChild(day);
      heading.appendChild(document.createTextNode(": saldo al cierre " +
        format.amount(data.saldos[i]) + ", el más bajo " + format.amount(data.minimos[i]) +
        "; puesto " + format.amount(data.puesto[i]) + ", quitado " +
        format.amount(data.quitado[i])));
    }
    var parts = [heading];
    if (data.paso === "dia" && data.movimientosDia) {
      var movements = data.movimientosDia[i];
      if (movements.length === 0) {
        var none = document.createElement("p");
        none.textContent = "Ningún movimiento este día.";
        parts.push(none);
      } else {
        var list = document.createElement("ul");
        movements.forEach(function (k) {
          // [comment, action, amount as the page writes it]
          var movement = data.apuntes[k];
          var item = document.createElement("li");
          item.textContent = movement[0] + ": " + movement[1] + " " + movement[2];
          list.appendChild(item);
        });
        parts.push(list);
      }
    }
    return parts;
  }

  // Shows point i in `element`; an index of no point leaves it as it is, so
  // that the last day read stays when the cursor leaves the chart, as a
  // finger does.
  function show(element, data, xs, i) {
    if (!element || i === null || i === undefined || i < 0 || i >= xs.length) {
      return;
    }
    var parts = partsOf(data, xs, i);
    element.textContent = "";
    parts.forEach(function (part) {
      element.appendChild(part);
    });
  }

  return { show: show };
})(balvixFormat);
