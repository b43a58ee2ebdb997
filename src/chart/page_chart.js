// The chart of a balvix-grafico page, as uPlot options: the lines drawn, the
// scales (zooming fits the vertical axis to the stretch shown; the whole walk
// keeps zero and the target in sight), and the
// marks drawn over the lines (zero, the target, the chosen day, the lowest
// point, today and the cushion); the ticks of the date axis are balvixTicks'.
// The x axis counts days (balvixFormat.dayNumber). Used by page.js as
// balvixChart; nothing here remembers anything between uPlot's calls but the
// marks chartOf returns, which page.js may change before a redraw.
var balvixChart = (function (format, ticks) {
  "use strict";

  var BLUE = "#1f5f99";
  var RED = "#c0392b";
  var GREEN = "#1e8449";
  var PURPLE = "#7d3c98";
  var TODAY = "#444";
  var CUSHION = "#b9770e";

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

  // The lines of the page's data: the balance, for weeks and months their
  // lowest balance, and the future minimum. Each line: its label, its values
  // (one per point), its stroke (a colour, or a function of the chart), width
  // and dash; "balance" marks a balance line, of which one always stays shown.
  function balanceLines(data) {
    var byDay = data.paso === "dia";
    var lines = [{ label: byDay ? "Saldo" : "Saldo al cierre", values: data.saldos,
      stroke: balanceStroke, width: 2, balance: true }];
    if (!byDay && data.minimos) {
      lines.push({ label: "Saldo más bajo", values: data.minimos, stroke: RED, width: 1 });
    }
    if (data.minimosFuturos) {
      lines.push({ label: "Mínimo futuro", values: data.minimosFuturos, stroke: GREEN,
        width: 1.5, dash: [5, 3] });
    }
    return lines;
  }

  function amountAxisWidth(u, labels) {
    var longest = 0;
    (labels || []).forEach(function (label) {
      longest = Math.max(longest, label.length);
    });
    return 24 + longest * 7;
  }

  // A label with a white background, kept inside the plot.
  function drawLabel(ctx, box, px, text, x, y, color) {
    ctx.font = 12 * px + "px system-ui, sans-serif";
    ctx.textAlign = "left";
    ctx.textBaseline = "middle";
    var width = ctx.measureText(text).width;
    var height = 16 * px;
    var left = Math.min(Math.max(x, box.left + 4 * px), box.left + box.width - width - 8 * px);
    var middle = Math.min(Math.max(y, box.top + height / 2 + 2 * px),
      box.top + box.height - height / 2 - 2 * px);
    ctx.fillStyle = "rgba(255, 255, 255, 0.92)";
    ctx.fillRect(left - 3 * px, middle - height / 2, width + 6 * px, height);
    ctx.strokeStyle = color;
    ctx.lineWidth = px;
    ctx.setLineDash([]);
    ctx.strokeRect(left - 3 * px, middle - height / 2, width + 6 * px, height);
    ctx.fillStyle = color;
    ctx.fillText(text, left, middle);
  }

  // What the marks of the page's data are: the lowest point, the target of
  // an amount run and the chosen day of a date run (null when absent).
  function marksOf(data) {
    return {
      lowest: data.minimo || null,
      lowestX: data.minimo ? format.dayNumberOfIso(data.minimo.dia) : null,
      target: typeof data.objetivo === "number" ? data.objetivo : null,
      chosenX: data.fechaElegida ? format.dayNumberOfIso(data.fechaElegida) : null,
      todayX: null,
      cushion: null
    };
  }

  // Draws the zero line, the target, the chosen day and the lowest point over
  // the lines.
  function drawMarks(marks) {
    return function (u) {
      var ctx = u.ctx;
      var px = window.devicePixelRatio || 1;
      var box = u.bbox;
      ctx.save();
      ctx.beginPath();
      ctx.rect(box.left, box.top, box.width, box.height);
      ctx.clip();
      function horizontal(value, color, dash) {
        var y = Math.round(u.valToPos(value, "y", true)) + 0.5;
        ctx.beginPath();
        ctx.strokeStyle = color;
        ctx.lineWidth = 1.5 * px;
        ctx.setLineDash([dash * px, 4 * px]);
        ctx.moveTo(box.left, y);
        ctx.lineTo(box.left + box.width, y);
        ctx.stroke();
        return y;
      }
      var y = u.scales.y;
      var x = u.scales.x;
      if (y.min <= 0 && y.max >= 0) {
        horizontal(0, "#333", 6);
      }
      if (marks.target !== null && y.min <= marks.target && y.max >= marks.target) {
        var targetAt = horizontal(marks.target, PURPLE, 10);
        drawLabel(ctx, box, px, "objetivo " + format.exactAmount(marks.target), box.left + 8 * px,
          targetAt - 12 * px, PURPLE);
      }
      if (marks.cushion !== null && y.min <= marks.cushion && y.max >= marks.cushion) {
        var cushionAt = horizontal(marks.cushion, CUSHION, 3);
        drawLabel(ctx, box, px, "colchón " + format.amount(marks.cushion), box.left + 8 * px,
          cushionAt + 12 * px, CUSHION);
      }
      function vertical(at, color, dash) {
        ctx.beginPath();
        ctx.strokeStyle = color;
        ctx.lineWidth = 1.5 * px;
        ctx.setLineDash([dash * px, 4 * px]);
        ctx.moveTo(at, box.top);
        ctx.lineTo(at, box.top + box.height);
        ctx.stroke();
      }
      if (marks.todayX !== null && marks.todayX >= x.min && marks.todayX <= x.max) {
        var todayAt = Math.round(u.valToPos(marks.todayX, "x", true)) + 0.5;
        vertical(todayAt, TODAY, 2);
        drawLabel(ctx, box, px, "hoy", todayAt + 6 * px, box.top + box.height - 12 * px, TODAY);
      }
      if (marks.chosenX !== null && marks.chosenX >= x.min && marks.chosenX <= x.max) {
        var chosenAt = Math.round(u.valToPos(marks.chosenX, "x", true)) + 0.5;
        vertical(chosenAt, PURPLE, 10);
        var chosen = "día elegido " + format.dateText(marks.chosenX);
        ctx.font = 12 * px + "px system-ui, sans-serif";
        drawLabel(ctx, box, px, chosen, chosenAt - ctx.measureText(chosen).width - 10 * px,
          box.top + 12 * px, PURPLE);
      }
      if (marks.lowest && marks.lowestX >= x.min && marks.lowestX <= x.max) {
        var lowestX = u.valToPos(marks.lowestX, "x", true);
        var lowestY = u.valToPos(marks.lowest.saldo, "y", true);
        ctx.setLineDash([]);
        ctx.beginPath();
        ctx.fillStyle = RED;
        ctx.arc(lowestX, lowestY, 5 * px, 0, 2 * Math.PI);
        ctx.fill();
        var lowest = "mínimo " + format.amount(marks.lowest.saldo) + " el " +
          format.dateText(marks.lowestX);
        ctx.font = 12 * px + "px system-ui, sans-serif";
        var width = ctx.measureText(lowest).width;
        var below = lowestY + 22 * px <= box.top + box.height;
        drawLabel(ctx, box, px, lowest, lowestX - width / 2,
          below ? lowestY + 16 * px : lowestY - 16 * px, RED);
      }
      ctx.restore();
    };
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
  // the cushion while every day is shown. uPlot works out the date scale
  // first, and the points it shows (series[0].idxs) with it.
  function amountRange(marks) {
    return function (u, min, max) {
      if (min === null || max === null) {
        return [0, 1];
      }
      var shown = u.series[0].idxs;
      var zoomed = shown && shown[0] !== null && (shown[0] > 0 || shown[1] < u.data[0].length - 1);
      if (!zoomed) {
        min = Math.min(min, 0);
        max = Math.max(max, 0);
        [marks.target, marks.cushion].forEach(function (level) {
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

  // The uPlot options and data of a chart of `lines` over the page's data
  // `data` (xs: the day number of each point), `size` pixels ({width,
  // height}). Hooks may be added to options.hooks before the chart is made.
  function chartOf(data, xs, lines, size) {
    var byDay = data.paso === "dia";
    var marks = marksOf(data);
    var stepped = uPlot.paths.stepped({ align: 1 });
    var amountValue = function (u, v) {
      return format.amount(v);
    };
    var series = [{
      label: byDay ? "Día" : "Hasta el",
      value: function (u, x) {
        return x === null || x === undefined ? "" : format.dateText(x);
      }
    }];
    var columns = [xs];
    lines.forEach(function (line) {
      columns.push(line.values);
      series.push({ label: line.label, stroke: line.stroke, width: line.width, dash: line.dash,
        paths: stepped, points: { show: false }, value: amountValue, spanGaps: true });
    });
    var options = {
      width: size.width,
      height: size.height,
      series: series,
      scales: {
        x: { time: false, range: dateRange(xs) },
        y: { range: amountRange(marks) }
      },
      axes: [
        { splits: ticks.dateTickValues, values: ticks.dateTickLabels, space: 40 },
        {
          values: function (u, splits) {
            return splits.map(format.amount);
          },
          size: amountAxisWidth
        }
      ],
      cursor: { drag: { x: true, y: false } },
      hooks: {
        draw: [drawMarks(marks)],
        setSeries: [
          // A balance line stays shown: without one the chart says nothing.
          function (u, i) {
            var shown = lines.some(function (line, k) {
              return line.balance && u.series[k + 1].show;
            });
            if (!shown && i !== null && lines[i - 1] && lines[i - 1].balance) {
              u.setSeries(i, { show: true });
            }
          }
        ]
      }
    };
    return { options: options, columns: columns, marks: marks };
  }

  return { balanceLines: balanceLines, chartOf: chartOf };
})(balvixFormat, balvixTicks);
