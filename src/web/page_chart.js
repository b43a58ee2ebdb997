// The chart of a balvix-grafico page with uPlot: the lines drawn (the plan's
// balance, for weeks and months its lowest, its future minimum, and a
// balance line per scenario), the scales (zooming fits the vertical axis to
// the stretch shown), and the plugins that hold their own state: the marks
// drawn over the lines (zero, the target, the chosen day, the lowest point,
// today and the cushion, kept in sight while every day is shown) and touch.
// The x axis counts days (balvixFormat.dayNumber); the ticks of the date
// axis are balvixTicks'. Each series of a line carries the number of the
// balvixLines line it draws (lineNumber), the one way the scripts name a
// line. Used by page.js and the other scripts as balvixChart.
var balvixChart = (function (format, ticks, balanceLines, drawn) {
  "use strict";

  var BLUE = "#1f5f99";
  var RED = "#c0392b";
  var GREEN = "#1e8449";

  // The steps between the ticks of the amount axis: whole cents, so that
  // each tick is an amount the page writes as it is (0'01, 0'02, 0'05, 0'10,
  // 0'20, 0'25, 0'50, 1'00, 2'00, 2'50, 5'00, 10'00...).
  var AMOUNT_STEPS = [];
  for (var power = -2; power <= 15; power++) {
    [1, 2, 2.5, 5].forEach(function (m) {
      if (power > -2 || m !== 2.5) {
        AMOUNT_STEPS.push(Number(m + "e" + power));
      }
    });
  }

  // The balance line: blue above zero, red below it.
  function balanceStroke(u) {
    var box = u.bbox;
    if (!box || !box.height || !u.scales.y || u.scales.y.min === undefined) {
      return BLUE;
    }
    var zeroAt = u.valToPos(0, "y", true);
    var f = Math.min(1, Math.max(0, (zeroAt - box.top) / box.height));
    var gradient = u.ctx.createLinearGradient(0, box.top, 0, box.top + box.height);
    gradient.addColorStop(0, BLUE);
    gradient.addColorStop(f, BLUE);
    gradient.addColorStop(f, RED);
    gradient.addColorStop(1, RED);
    return gradient;
  }

  // The lines drawn over the days `xs` for the balvixLines lines `lines`,
  // each: lineNumber (its line's number), balance (for a balance line, of
  // which one always stays shown), label, values (one per day of xs, null
  // where its line has no point), stroke (a colour, or a function of the
  // chart), width and dash.
  function linesDrawn(lines, xs) {
    var plan = lines[0];
    var data = plan.source;
    var byDay = data.paso === "dia";
    function on(line, values) {
      return balanceLines.valuesOn(line, values, xs);
    }
    var drawn = [{ lineNumber: 0, balance: true, label: byDay ? "Saldo" : "Saldo al cierre",
      values: on(plan, data.saldos), stroke: balanceStroke, width: 2 }];
    if (!byDay && data.minimos) {
      drawn.push({ lineNumber: 0, label: "Saldo más bajo", values: on(plan, data.minimos),
        stroke: RED, width: 1 });
    }
    if (data.minimosFuturos) {
      drawn.push({ lineNumber: 0, label: "Mínimo futuro", values: on(plan, data.minimosFuturos),
        stroke: GREEN, width: 1.5, dash: [5, 3] });
    }
    lines.slice(1).forEach(function (line) {
      drawn.push({ lineNumber: line.number, balance: true, label: line.name,
        values: on(line, line.source.saldos), stroke: line.colour, width: 2, dash: line.dash });
    });
    return drawn;
  }

  // Whether the balance line of each line is shown on the chart `u`, by the
  // line's number.
  function shownLines(u) {
    var shown = [];
    u.series.forEach(function (s) {
      if (s.balance) {
        shown[s.lineNumber] = s.show;
      }
    });
    return shown;
  }

  // Shows or hides the balance line of line number `k`.
  function showLine(u, k, show) {
    u.series.forEach(function (s, i) {
      if (s.balance && s.lineNumber === k) {
        u.setSeries(i, { show: show });
      }
    });
  }

  // A balance line stays shown: without one the chart says nothing.
  function keepABalanceLine(u, i) {
    var shown = u.series.some(function (s) {
      return s.balance && s.show;
    });
    if (!shown && i !== null && u.series[i] && u.series[i].balance) {
      u.setSeries(i, { show: true });
    }
  }

  function amountAxisWidth(u, labels) {
    var longest = 0;
    (labels || []).forEach(function (label) {
      longest = Math.max(longest, label.length);
    });
    return 24 + longest * 7;
  }

  // The days shown, of the points at days `xs`; one day alone stands between
  // the day before and the day after.
  function dateRange(xs) {
    return function (u, min, max) {
      if (min === null || max === null || !(min < max)) {
        min = min === null || max === null ? xs[0] - 1 : Math.min(min, max) - 1;
        max = min + 2;
      }
      return [min, max];
    };
  }

  // The amounts shown: those of the days shown, with zero, the target and
  // the cushion of `marks` while every day is shown. uPlot works out the date
  // scale first, and the points it shows (series[0].idxs) with it.
  function amountRange(marks) {
    return function (u, min, max) {
      if (min === null || max === null) {
        return [0, 1];
      }
      var shown = u.series[0].idxs;
      var zoomed = shown && shown[0] !== null && (shown[0] > 0 || shown[1] < u.data[0].length - 1);
      if (!zoomed) {
        [0, marks.target, marks.cushion].forEach(function (level) {
          if (level !== null) {
            min = Math.min(min, level);
            max = Math.max(max, level);
          }
        });
      }
      if (min === max) {
        var margin = Math.max(1, Math.abs(min) * 0.05);
        return [min - margin, max + margin];
      }
      return uPlot.rangeNum(min, max, 0.05, true);
    };
  }

  // The marks of the page's data `data` over the lines, as a uPlot plugin
  // that keeps them: the zero line, the target of an amount run, the chosen
  // day of a date run, the lowest point, today (the day number `todayX`, or
  // null for none) and a cushion, none at first. It gives the amount axis
  // its range, which keeps zero, the target and the cushion in sight while
  // every day is shown. setCushion(u, cushion or null) draws another
  // cushion on the chart `u`.
  function marksPlugin(data, todayX) {
    var marks = {
      lowest: data.minimo || null,
      lowestX: data.minimo ? format.dayNumberOfIso(data.minimo.dia) : null,
      target: typeof data.objetivo === "number" ? data.objetivo : null,
      chosenX: data.fechaElegida ? format.dayNumberOfIso(data.fechaElegida) : null,
      todayX: todayX,
      cushion: null
    };
    return {
      opts: function (u, options) {
        options.scales.y = { range: amountRange(marks) };
      },
      hooks: {
        draw: [function (u) {
          drawn.drawMarks(u, marks);
        }]
      },
      setCushion: function (u, cushion) {
        marks.cushion = cushion;
        // Once drawn, the chart works out its scales again: the cushion may
        // widen the amount axis. Before, uPlot has yet to work them out.
        if (u.status === 1) {
          u.redraw();
        }
      }
    };
  }

  // A tap or a slide of one finger shows the day under it, as a uPlot plugin.
  function touchPlugin() {
    function follow(u) {
      return function (e) {
        if (!e.touches || e.touches.length !== 1) {
          return;
        }
        var box = u.over.getBoundingClientRect();
        var finger = e.touches[0];
        u.setCursor({ left: finger.clientX - box.left, top: finger.clientY - box.top });
      };
    }
    return {
      hooks: {
        init: [function (u) {
          u.over.addEventListener("touchstart", follow(u), { passive: true });
          u.over.addEventListener("touchmove", follow(u), { passive: true });
        }]
      }
    };
  }

  // The uPlot options and data of a chart of the lines `drawn` (linesDrawn)
  // over the page's data `data` (xs: the day number of each point), `size`
  // pixels ({width, height}), with the uPlot plugins `plugins` (marksPlugin's
  // among them, which gives the amount axis its range).
  function chartOf(data, xs, drawn, size, plugins) {
    var stepped = uPlot.paths.stepped({ align: 1 });
    var amountValue = function (u, v) {
      return format.amount(v);
    };
    var series = [{
      label: data.paso === "dia" ? "Día" : "Hasta el",
      value: function (u, x) {
        return x === null || x === undefined ? "" : format.dateText(x);
      }
    }];
    drawn.forEach(function (line) {
      series.push({ lineNumber: line.lineNumber, balance: line.balance === true,
        label: line.label, stroke: line.stroke, width: line.width, dash: line.dash,
        paths: stepped, points: { show: false }, value: amountValue, spanGaps: true });
    });
    var options = {
      width: size.width,
      height: size.height,
      series: series,
      scales: { x: { time: false, range: dateRange(xs) } },
      axes: [
        { splits: ticks.dateTickValues, values: ticks.dateTickLabels, space: 40 },
        {
          incrs: AMOUNT_STEPS,
          values: function (u, splits) {
            return splits.map(format.amount);
          },
          size: amountAxisWidth
        }
      ],
      cursor: { drag: { x: true, y: false } },
      hooks: { setSeries: [keepABalanceLine] },
      plugins: plugins
    };
    return { options: options, columns: [xs].concat(drawn.map(function (line) {
      return line.values;
    })) };
  }

  // Dims the plan's lines from the day number `fromX` on, as a uPlot plugin:
  // the page's white is laid over them once they are drawn, before the
  // lines beside them.
  function dimPlugin(fromX) {
    return {
      hooks: {
        drawSeries: [function (u, i) {
          var next = u.series[i + 1];
          if (u.series[i].lineNumber !== 0 || (next && next.lineNumber === 0)) {
            return;
          }
          var box = u.bbox;
          var from = Math.max(box.left, u.valToPos(fromX, "x", true));
          if (from < box.left + box.width) {
            u.ctx.save();
            u.ctx.fillStyle = "rgba(255, 255, 255, 0.65)";
            u.ctx.fillRect(from, box.top, box.left + box.width - from, box.height);
            u.ctx.restore();
          }
        }]
      }
    };
  }

  return { linesDrawn: linesDrawn, shownLines: shownLines, showLine: showLine,
    marksPlugin: marksPlugin, touchPlugin: touchPlugin, dimPlugin: dimPlugin, chartOf: chartOf };
})(balvixFormat, balvixTicks, balvixLines, balvixMarks);
