// Draws the chart of a balvix-grafico page from the page's data (the element
// "datos") with uPlot and the page's other scripts: the readout of the day
// under the cursor or the finger, the zoom buttons, the chart fitted to the
// paper when printed, and the data as CSV files; with scenarios, a line for
// each and a tick box per line; today's mark and figures, and the cushion.
// It leaves on window, for the page's tables and for tests: balvixData (the
// page's data, read once), balvixToday (the browser's today, aaaa-mm-dd),
// balvixPlot (the uPlot chart) and, once the chart is first drawn,
// balvixDrawnAt (milliseconds from the page's start) and balvixDrawMs (those
// of these scripts alone).
(function (format, balanceLines, chart, readout, controls, downloads) {
  "use strict";

  var start = typeof performance !== "undefined" ? performance.now() : 0;

  function sizeOf(canvasBox) {
    var width = Math.max(canvasBox.clientWidth, 280);
    return { width: width, height: width < 500 ? 300 : 420 };
  }

  // Tells when the chart is first drawn, as a uPlot plugin.
  function drawnPlugin() {
    return {
      hooks: {
        ready: [function () {
          var now = typeof performance !== "undefined" ? performance.now() : 0;
          window.balvixDrawnAt = now;
          window.balvixDrawMs = now - start;
        }]
      }
    };
  }

  // Buttons that zoom the chart `plot` of the days `xs` in and out and show
  // it whole, for a touch screen, right after `canvasBox`; returns their box.
  function zoomButtons(plot, xs, canvasBox) {
    var n = xs.length;
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
    return buttons;
  }

  // The chart fits the paper when the page is printed, and every year of the
  // month table is unfolded.
  function fitToPaper(plotNow, size) {
    var folded = [];
    window.addEventListener("beforeprint", function () {
      var plot = plotNow();
      if (plot) {
        plot.setSize({ width: Math.min(size().width, 680), height: 360 });
      }
      folded = [].slice.call(document.querySelectorAll("details.anyo:not([open])"));
      folded.forEach(function (d) {
        d.open = true;
      });
    });
    window.addEventListener("afterprint", function () {
      var plot = plotNow();
      if (plot) {
        plot.setSize(size());
      }
      folded.forEach(function (d) {
        d.open = false;
      });
    });
  }

  // On a page of weeks or months, today's figures are worked out again to
  // the day from the record lows `lows` the engine gave with the data, or
  // else by the page's engine, once it is there: `done` gets the lines to
  // count them from. Nothing on a page of days, or without the engine.
  function exactToday(data, sources, lines, todayX, lows, done) {
    if (data.paso === "dia" || !balvixEngine.available) {
      return;
    }
    if (lows) {
      done(balanceLines.exactLines(lines, lows, todayX));
      return;
    }
    balvixEngine.ready.then(function () {
      var asked = Object.assign({}, sources, { hoy: format.dateText(todayX), solo: "bajos" });
      var answer = balvixEngine.run(asked);
      if (answer.bajos) {
        done(balanceLines.exactLines(lines, answer.bajos, todayX));
      }
    }, function () {});
  }

  var canvasBox = document.getElementById("grafico-lienzo");
  var size = function () {
    return sizeOf(canvasBox);
  };
  // The size a new drawing takes: measured once, and again once the chart's
  // box has changed size, so that a key typed, which changes the parts
  // beside the chart, does not lay the page out again just to measure it.
  var known = null;
  var drawingSize = size;
  if (typeof ResizeObserver === "function") {
    new ResizeObserver(function () {
      known = null;
    }).observe(canvasBox);
    drawingSize = function () {
      known = known || size();
      return known;
    };
  }
  // What is drawn now: {plot, marks, lines, todayX, figureLines, parts (the
  // elements added beside the chart)}, or null.
  var shown = null;
  var cushionNow = null;
  function fillFigures() {
    if (shown) {
      shown.marks.setCushion(shown.plot, cushionNow);
      controls.fill(shown.figureLines, shown.todayX, cushionNow);
    }
  }

  // The figures of room of the lines drawn (`now`), which the page's engine
  // works out from today above the cushion (or 0), in their cells.
  function askRoom(now) {
    if (!balvixEngine.available) {
      controls.fillRoom(null, "sin calcular: la página no lleva su motor");
      return;
    }
    if (now.roomAsked) {
      return; // once the engine is ready, with the cushion of then
    }
    now.roomAsked = true;
    balvixEngine.ready.then(function () {
      now.roomAsked = false;
      if (shown !== now) {
        return;
      }
      var asked = Object.assign({}, now.sources, { hoy: format.dateText(now.todayX),
        solo: "holgura", colchon: cushionNow === null ? "" : String(cushionNow) });
      controls.fillRoom(balvixEngine.run(asked).holgura, "sin proyectar");
    }, function () {});
  }

  // The chart of `data` (walked from the inputs `sources`) and what goes with
  // it, in place of what was drawn before; the plan's lines dimmed from the
  // day number `dimFrom` on, when there is one; `lows`, the record lows from
  // today the engine gave with `data`, when it did, and `room`, its figures
  // of room, when it gave them.
  function draw(data, sources, dimFrom, lows, room) {
    if (shown) {
      shown.plot.destroy();
      shown.parts.forEach(function (part) {
        part.parentNode.removeChild(part);
      });
      shown = null;
    }
    window.balvixData = data;
    if (!data.dias || data.dias.length === 0) {
      return;
    }
    var lines = balanceLines.linesOf(data, typeof dimFrom === "number");
    var xs = balanceLines.allDays(lines);
    var n = xs.length;
    var todayX = format.dayNumberOfIso(format.today());
    var marks = chart.marksPlugin(data,
      todayX >= lines[0].first && todayX <= xs[n - 1] ? todayX : null);
    var plugins = [marks, chart.touchPlugin(),
      readout.plugin(document.getElementById("lectura"), data, lines, function () {
        return cushionNow;
      }), drawnPlugin()];
    if (lines.length > 1) {
      plugins.push(controls.lineBoxes(lines));
    }
    if (typeof dimFrom === "number") {
      plugins.push(chart.dimPlugin(dimFrom));
    }
    var setup = chart.chartOf(data, xs, chart.linesDrawn(lines, xs), drawingSize(), plugins);
    var plot = new uPlot(setup.options, setup.columns, canvasBox);
    window.balvixPlot = plot;
    if (n === 1) {
      // uPlot widens the scale of a single point far beyond it.
      plot.setScale("x", { min: xs[0] - 1, max: xs[0] + 1 });
    }
    var parts = [zoomButtons(plot, xs, canvasBox)].concat(
      [].slice.call(document.querySelectorAll("fieldset.lineas")));
    var now = { plot: plot, marks: marks, lines: lines, todayX: todayX, figureLines: lines,
      parts: parts, sources: sources };
    shown = now;
    fillFigures();
    if (room !== undefined) {
      controls.fillRoom(room, "sin proyectar");
    } else {
      askRoom(now);
    }
    exactToday(data, sources, lines, todayX, lows, function (exact) {
      if (shown === now) {
        now.figureLines = exact;
        fillFigures();
      }
    });
    downloads.offer(data, lines, xs);
  }

  window.balvixToday = format.today;
  var data = balvixBlocks.data;
  if (!canvasBox || !data || typeof uPlot === "undefined") {
    return;
  }
  window.balvixData = data;
  if (!data.dias || data.dias.length === 0) {
    return;
  }
  draw(data, balvixBlocks.sources || {});
  window.addEventListener("resize", function () {
    if (shown) {
      shown.plot.setSize(size());
    }
  });
  controls.cushionField(data.escenarios && data.escenarios.length > 0, function (cushion) {
    cushionNow = cushion;
    fillFigures();
    if (shown) {
      askRoom(shown);
    }
  });
  fitToPaper(function () {
    return shown && shown.plot;
  }, size);
  // For the scenarios typed in the page: draws the chart again.
  window.balvixDraw = draw;
  // The cushion the figures of room count above, for the typed scenarios.
  window.balvixCushion = function () {
    var text = cushionNow === null ? "" : String(cushionNow);
    return /^-?\d+(\.\d+)?$/.test(text) ? text : "";
  };
})(balvixFormat, balvixLines, balvixChart, balvixReadout, balvixControls, balvixDownloads);
