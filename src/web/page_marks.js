// The marks drawn over the chart's lines of a balvix-grafico page: the
// levels of zero, the target and the cushion, the days chosen and today, and
// the lowest point, each with its label kept inside the plot. Used by
// page_chart.js's plugin of the marks as balvixMarks.
var balvixMarks = (function (format) {
  "use strict";

  var RED = "#c0392b";
  var PURPLE = "#7d3c98";
  var TODAY = "#444";
  var CUSHION = "#b9770e";

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

  // A dashed line across the plot, `at` pixels down (or, `upright`, across).
  function dashedLine(u, px, at, upright, color, dash) {
    var ctx = u.ctx;
    var box = u.bbox;
    ctx.beginPath();
    ctx.strokeStyle = color;
    ctx.lineWidth = 1.5 * px;
    ctx.setLineDash([dash * px, 4 * px]);
    ctx.moveTo(upright ? at : box.left, upright ? box.top : at);
    ctx.lineTo(upright ? at : box.left + box.width, upright ? box.top + box.height : at);
    ctx.stroke();
  }

  // Zero, the target and the cushion, each where the amounts shown reach it.
  function drawLevels(u, px, marks) {
    var y = u.scales.y;
    var box = u.bbox;
    function level(value, color, dash) {
      if (value === null || y.min > value || y.max < value) {
        return null;
      }
      var at = Math.round(u.valToPos(value, "y", true)) + 0.5;
      dashedLine(u, px, at, false, color, dash);
      return at;
    }
    level(0, "#333", 6);
    var targetAt = level(marks.target, PURPLE, 10);
    if (targetAt !== null) {
      drawLabel(u.ctx, box, px, "objetivo " + format.exactAmount(marks.target),
        box.left + 8 * px, targetAt - 12 * px, PURPLE);
    }
    var cushionAt = level(marks.cushion, CUSHION, 3);
    if (cushionAt !== null) {
      drawLabel(u.ctx, box, px, "colchón " + format.amount(marks.cushion), box.left + 8 * px,
        cushionAt + 12 * px, CUSHION);
    }
  }

  // Today and the chosen day, each where the days shown hold it.
  function drawDays(u, px, marks) {
    var x = u.scales.x;
    var box = u.bbox;
    var ctx = u.ctx;
    function day(value, color, dash) {
      if (value === null || value < x.min || value > x.max) {
        return null;
      }
      var at = Math.round(u.valToPos(value, "x", true)) + 0.5;
      dashedLine(u, px, at, true, color, dash);
      return at;
    }
    var todayAt = day(marks.todayX, TODAY, 2);
    if (todayAt !== null) {
      drawLabel(ctx, box, px, "hoy", todayAt + 6 * px, box.top + box.height - 12 * px, TODAY);
    }
    var chosenAt = day(marks.chosenX, PURPLE, 10);
    if (chosenAt !== null) {
      var chosen = "día elegido " + format.dateText(marks.chosenX);
      ctx.font = 12 * px + "px system-ui, sans-serif";
      drawLabel(ctx, box, px, chosen, chosenAt - ctx.measureText(chosen).width - 10 * px,
        box.top + 12 * px, PURPLE);
    }
  }

  // The lowest point, where the days shown hold it.
  function drawLowest(u, px, marks) {
    var x = u.scales.x;
    if (!marks.lowest || marks.lowestX < x.min || marks.lowestX > x.max) {
      return;
    }
    var ctx = u.ctx;
    var box = u.bbox;
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

  // Draws the marks over the lines, inside the plot.
  function drawMarks(u, marks) {
    var px = window.devicePixelRatio || 1;
    var box = u.bbox;
    u.ctx.save();
    u.ctx.beginPath();
    u.ctx.rect(box.left, box.top, box.width, box.height);
    u.ctx.clip();
    drawLevels(u, px, marks);
    drawDays(u, px, marks);
    drawLowest(u, px, marks);
    u.ctx.restore();
  }

  return { drawMarks: drawMarks };
})(balvixFormat);
