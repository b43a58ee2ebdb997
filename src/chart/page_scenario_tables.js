// The tables of a balvix-grafico page: marks the current month's rows (from
// the browser's local today) and, on a page with scenarios, shows the choice
// of whose tables are shown (the plan's or a scenario's) and switches them.
// The program writes the plan's tables; a scenario's are written here from
// its data the first time it is chosen, row for row as the program writes
// them (src/chart/page_tables.cpp).
(function (format) {
  "use strict";

  // As the program: the rows of the stretch table, and the years a month
  // table shows open at most.
  var STRETCH_ROWS = 200;
  var YEARS_OPEN = 10;

  var month = format.today().slice(0, 7);
  function markMonth(root) {
    if (!/^\d{4}-\d{2}$/.test(month)) {
      return;
    }
    [].forEach.call(root.querySelectorAll("tr[data-mes=\"" + month + "\"]"), function (row) {
      row.classList.add("mes-actual");
      row.title = "Este mes";
    });
  }
  markMonth(document);

  var choice = document.getElementById("tablas-de");
  if (!choice) {
    return;
  }

  // Text as HTML content: what could end it as references, and the control
  // characters a page cannot hold as blanks.
  var REFERENCES = { "&": "&amp;", "<": "&lt;", ">": "&gt;", "\"": "&quot;", "'": "&#39;" };
  function escaped(text) {
    return String(text).replace(
      /[&<>"'\u0000-\u0008\u000b\u000c\u000e-\u001f\u007f-\u009f]/g, function (c) {
        return REFERENCES[c] || " ";
      });
  }

  // An amount's text as the page shows it: a negative one stands out.
  function shownAmount(text) {
    return text.charAt(0) === "-" ? "<span class=\"neg\">" + text + "</span>" : text;
  }

  function amount(v) {
    return shownAmount(format.amount(v));
  }

  function dateOf(iso) {
    return format.dateText(format.dayNumberOfIso(iso));
  }

  // The movements of a stretch's first day: [how many, the first ones named].
  function movementList(day) {
    var named = day.length - 1;
    var out = "";
    for (var i = 1; i <= named; i++) {
      out += (i > 1 ? ", " : "") + escaped(day[i][0]) + " (" + day[i][1] + " " +
        shownAmount(day[i][2]) + ")";
    }
    if (day[0] > named) {
      out += " y " + format.count(day[0] - named) + " más";
    }
    return out;
  }

  function stretchTable(scenario, tail) {
    var stretches = scenario.tramosBajoCero;
    var out = "<h2>Tramos por debajo de cero" + tail + "</h2>\n";
    if (stretches.length === 0) {
      return out + "<p>El saldo no termina ningún día por debajo de cero.</p>\n";
    }
    out += "<div class=\"tabla\"><table class=\"tramos\">\n<thead><tr><th>Desde<th>Hasta<th>Días" +
      "<th>Saldo más bajo<th>Día del más bajo<th>Movimientos del primer día</thead>\n<tbody>\n";
    for (var i = 0; i < stretches.length && i < STRETCH_ROWS; i++) {
      var stretch = stretches[i];
      out += "<tr><td>" + dateOf(stretch.desde) + "<td>" + dateOf(stretch.hasta) + "<td>" +
        format.count(stretch.dias) + "<td>" + amount(stretch.minimo) + "<td>" +
        dateOf(stretch.diaMinimo) + "<td class=\"texto\">" +
        movementList(scenario.movimientosTramos[i]) + "\n";
    }
    out += "</tbody>\n</table></div>\n";
    if (stretches.length > STRETCH_ROWS) {
      out += "<p class=\"nota\">Y " + format.count(stretches.length - STRETCH_ROWS) +
        " tramos más, en los datos de la página.</p>\n";
    }
    return out;
  }

  // Rows left unclosed, as the program writes them.
  function monthTable(scenario, tail) {
    var months = scenario.meses;
    var byMonth = scenario.paso === "mes";
    var closings = byMonth ? scenario.saldos : months.cierre;
    var lowests = byMonth ? scenario.minimos : months.minimo;
    var n = months.diaMinimo.length;
    var start = n > 0 ? months.desde.split("-") : ["0", "1"];
    var firstYear = +start[0];
    var firstMonth = +start[1] - 1; // 0 for January
    var open = n === 0 || Math.floor((firstMonth + n - 1) / 12) < YEARS_OPEN;
    // The walk cut the last month short when it ended before the month's end.
    var last = scenario.cifras.hasta;
    var cut = format.dateOfDayNumber(format.dayNumberOfIso(last) + 1)[2] !== 1;
    var out = "<h2>Meses" + tail + "</h2>\n";
    for (var k = 0, year = 0; k < n; year++) {
      var end = Math.min(n, k + 12 - (firstMonth + k) % 12);
      var yearText = format.fourDigits(firstYear + Math.floor((firstMonth + k) / 12));
      out += (open ? "<details class=\"anyo\" open><summary>" : "<details class=\"anyo\"><summary>") +
        yearText + ": saldo al cierre " + amount(closings[end - 1]) + ", puesto " +
        amount(months.puestoAnyo[year]) + ", quitado " + amount(months.quitadoAnyo[year]) +
        "</summary>\n<div class=\"tabla\"><table class=\"meses\">\n<thead><tr><th>Mes" +
        "<th>Saldo al cierre<th>Saldo más bajo<th>Día<th>Puesto (poner)<th>Quitado (quitar)" +
        "</thead>\n<tbody>\n";
      for (; k < end; k++) {
        var monthText = format.twoDigits((firstMonth + k) % 12 + 1);
        var iso = yearText + "-" + monthText;
        var below = lowests[k] < 0;
        out += (below ? "<tr class=\"bajo-cero\" data-mes=\"" : "<tr data-mes=\"") + iso +
          "\"><td>" + format.monthText(iso) + (k === n - 1 && cut ? " (hasta el " +
          last.slice(8) + ")" : "") + "<td>" + amount(closings[k]) + "<td>" + amount(lowests[k]) +
          (below ? " <span class=\"marca\" title=\"por debajo de cero\">▼</span>" : "") + "<td>" +
          format.twoDigits(months.diaMinimo[k]) + "/" + monthText + "<td>" +
          amount(months.puesto[k]) + "<td>" + amount(months.quitado[k]) + "\n";
      }
      out += "</tbody>\n</table></div>\n</details>\n";
    }
    if (n > 0) {
      out += "<p class=\"nota\">▼: el saldo termina algún día del mes por debajo de cero.</p>\n";
    }
    if (months.subCentimo) {
      out += "<p class=\"nota\">Algún importe tiene cifras por debajo del céntimo: las sumas de " +
        "esta página son de los importes exactos, y el informe muestra cada movimiento " +
        "redondeado, así que sumar sus líneas puede dar unos céntimos de diferencia.</p>\n";
    }
    return out;
  }

  // The page's data, as the chart's script read it (or read here the first
  // time a scenario's tables are written).
  var data = null;
  var written = {};
  function write(group) {
    var line = +group.getAttribute("data-linea");
    if (line === 0 || written[line]) {
      return;
    }
    data = data || window.balvixData || JSON.parse(document.getElementById("datos").textContent);
    var scenario = data.escenarios[line - 1];
    var tail = ": escenario " + escaped(scenario.nombre);
    group.innerHTML = "\n" + stretchTable(scenario, tail) + monthTable(scenario, tail);
    markMonth(group);
    written[line] = true;
  }

  var groups = document.querySelectorAll(".tablas-linea");
  function show() {
    [].forEach.call(groups, function (group) {
      var shown = group.getAttribute("data-linea") === choice.value;
      if (shown) {
        write(group);
      }
      group.hidden = !shown;
    });
  }
  choice.addEventListener("change", show);
  choice.parentNode.parentNode.hidden = false;
  // A reload may keep a choice made before it.
  show();
})(balvixFormat);
