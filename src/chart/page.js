// Draws the chart of a balvix-grafico page from the page's data (the element
// "datos") with uPlot and the page's other scripts, shows the readout of the
// day under the cursor or the finger, zooms with the buttons, fits the chart
// to the paper when printed, and offers the data as CSV files; with
// scenarios, a line for each and a tick box per line; today's mark and
// figures, and the cushion.
(function (format, chart, readout, balanceLines, controls, downloads) {
  "use strict";

  var start = typeof performance !== "undefined" ? performance.now() : 0;
  var canvasBox = document.getElementById("grafico-lienzo");
  var source = document.getElementById("datos");
  if (!canvasBox || !source || typeof uPlot === "undefined") {
    return;
  }
  var data = JSON.parse(source.textContent);
  // Read once: the tables of a scenario are written from it when chosen.
  window.balvixDatos = data;
  if (!data.dias || data.dias.length === 0) {
    return;
  }
  var lines = balanceLines.linesOf(data, data.dias.map(format.dayNumberOfIso));
  var xs = balanceLines.allDays(lines);
  var n = xs.length;
  var scenarios = lines.length > 1;

  function size() {
    var width = Math.max(canvasBox.clientWidth, 280);
    return { width: width, height: width < 500 ? 300 : 420 };
  }

  // The plan's lines, then a balance line per scenario; series[k] is the
  // series of line k.
  var chartLines = chart.balanceLines(data).map(function (line) {
    line.values = balanceLines.valuesOn(lines[0], line.values, xs);
    return line;
  });
  var series = [1];
  lines.slice(1).forEach(function (line) {
    chartLines.push({ label: line.name, values: balanceLines.valuesOn(line, line.source.saldos, xs),
      stroke: line.colour, width: 2, dash: line.dash, balance: true });
    series.push(chartLines.length);
  });
  var setup = chart.chartOf(data, xs, chartLines, size());
  var todayX = format.dayNumberOfIso(window.balvixToday());
  if (todayX >= lines[0].first && todayX <= xs[n - 1]) {
    setup.marks.todayX = todayX;
  }
  var hooks = setup.options.hooks;
  var readoutBox = document.getElementById("lectura");
  function shown(u) {
    return series.map(function (s) {
      return u.series[s].show;
    });
  }
  hooks.setCursor = [function (u) {
    readout.show(readoutBox, data, lines, shown(u), xs, u.cursor.idx);
  }];
  var drawn = false;
  hooks.draw.push(function () {
    if (!drawn) {
      drawn = true;
      // Milliseconds from the page's start, and of these scripts alone.
      var now = typeof performance !== "undefined" ? performance.now() : 0;
      window.balvixDibujadoEn = now;
      window.balvixDibujoMs = now - start;
    }
  });

  var plot = new uPlot(setup.options, setup.columns, canvasBox);
  window.balvixGrafico = plot;
  if (n === 1) {
    // uPlot widens the scale of a single point far beyond it.
    plot.setScale("x", { min: xs[0] - 1, max: xs[0] + 1 });
  }
  window.addEventListener("resize", function () {
    plot.setSize(size());
  });

  // Touch: a tap or a slide shows the day under the finger; two buttons zoom.
  var over = plot.over;
  function touch(e) {
    if (!e.touches || e.touches.length !== 1) {
      return;
    }
    var box = over.getBoundingClientRect();
    var finger = e.touches[0];
    plot.setCursor({ left: finger.clientX - box.left, top: finger.clientY - box.top });
  }
  over.addEventListener("touchstart", touch, { passive: true });
  over.addEventListener("touchmove", touch, { passive: true });

  function zoom(factor) {
    var x = plot.scales.x;
    var centre = plot.cursor.idx !== null && plot.cursor.idx !== undefined
      ? xs[plot.cursor.idx] : (x.min + x.max) / 2;
    var half = Math.max(2, ((x.max - x.min) * factor) / 2);
    var from = Math.max(xs[0], centre - half);
    var to = Math.min(xs[n - 1], from + 2 * half);
    from = Math.max(xs[0], to - 2 * half);
    plot.setScale("x", { min: from, max: to });
  }
  var buttons = document.createElement("p");
  buttons.className = "botones";
  [["Ampliar", function () { zoom(0.5); }], ["Reducir", function () { zoom(2); }],
    ["Ver entero", function () { plot.setScale("x", { min: xs[0], max: xs[n - 1] }); }]]
    .forEach(function (b) {
      var button = document.createElement("button");
      button.type = "button";
      button.textContent = b[0];
      button.addEventListener("click", b[1]);
      buttons.appendChild(button);
    });
  canvasBox.parentNode.insertBefore(buttons, canvasBox.nextSibling);
  if (scenarios) {
    controls.lineBoxes(plot, lines, series, buttons);
  }
  // uPlot works out its scales after this script: the cushion in the
  // address is in them; a cushion typed later scales the chart again.
  var started = false;
  controls.cushionField(scenarios, function (cushion) {
    setup.marks.cushion = cushion;
    controls.fill(lines, todayX, cushion);
    if (started) {
      plot.setScale("x", { min: plot.scales.x.min, max: plot.scales.x.max });
    }
  });
  started = true;

  // The chart fits the paper when the page is printed, and every year of
  // the month table is unfolded.
  var folded = [];
  window.addEventListener("beforeprint", function () {
    plot.setSize({ width: Math.min(size().width, 680), height: 360 });
    folded = [].slice.call(document.querySelectorAll("details.anyo:not([open])"));
    folded.forEach(function (d) {
      d.open = true;
    });
  });
  window.addEventListener("afterprint", function () {
    plot.setSize(size());
    folded.forEach(function (d) {
      d.open = false;
    });
  });

  downloads.offer(data, lines, xs);
})(balvixFormat, balvixChart, balvixReadout, balvixLines, balvixControls, balvixDownloads);
