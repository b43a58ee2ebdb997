// The CSV files of a balvix-grafico page, built from the page's data when a
// link is followed: ";" between fields, a decimal comma, dates dd/mm/aaaa,
// CR LF, UTF-8 with a byte-order mark, for a Spanish spreadsheet. Used by
// page.js as balvixDownloads; pointsCsv and monthsCsv need no page.
var balvixDownloads = (function (format) {
  "use strict";

  function csv(rows) {
    return "\ufeff" + rows.map(function (row) {
      return row.map(function (cell) {
        return /[";\r\n]/.test(cell) ? '"' + cell.replace(/"/g, '""') + '"' : cell;
      }).join(";");
    }).join("\r\n") + "\r\n";
  }

  // Each point of the chart (xs: the day number of each point), with a
  // balance column per scenario (balvixLines' lines); a line without a point
  // that day leaves its cells empty.
  function pointsCsv(data, lines, xs) {
    var heading = [data.paso === "dia" ? "Fecha" : "Hasta el", "Saldo", "Puesto", "Quitado",
      "Mínimo futuro"];
    var rows = [heading.concat(lines.slice(1).map(function (line) {
      return "Saldo " + line.name;
    }))];
    xs.forEach(function (x) {
      var i = lines[0].at[x];
      var row = [format.dateText(x)].concat(i === undefined ? ["", "", "", ""] : [
        format.csvNumber(data.saldos[i]), format.csvNumber(data.puesto[i]),
        format.csvNumber(data.quitado[i]), format.csvNumber(data.minimosFuturos[i])]);
      lines.slice(1).forEach(function (line) {
        var k = line.at[x];
        row.push(k === undefined ? "" : format.csvNumber(line.source.saldos[k]));
      });
      rows.push(row);
    });
    return csv(rows);
  }

  function monthsCsv(data) {
    var rows = [["Mes", "Saldo al cierre", "Saldo más bajo", "Día del más bajo", "Puesto",
      "Quitado"]];
    (data.meses || []).forEach(function (m) {
      rows.push([format.monthText(m.mes), format.csvNumber(m.cierre), format.csvNumber(m.minimo),
        format.dateText(format.dayNumberOfIso(m.diaMinimo)), format.csvNumber(m.puesto),
        format.csvNumber(m.quitado)]);
    });
    return csv(rows);
  }

  // Makes the link `id` give the file `contentOf()` when it is followed.
  function link(id, contentOf) {
    var anchor = document.getElementById(id);
    if (!anchor) {
      return;
    }
    var prepare = function () {
      anchor.href = "data:text/csv;charset=utf-8," + encodeURIComponent(contentOf());
    };
    // A link without an address is not followed: it gets one now (an empty
    // file, never an address in the page, which would lose the cushion and
    // today's balance kept in it), and the file's own when it is followed.
    anchor.href = "data:text/csv;charset=utf-8,";
    anchor.onclick = anchor.onfocus = anchor.onmouseenter = prepare;
  }

  // Offers both files and shows their links.
  function offer(data, lines, xs) {
    link("csv-dias", function () {
      return pointsCsv(data, lines, xs);
    });
    link("csv-meses", function () {
      return monthsCsv(data);
    });
    var downloads = document.querySelector(".descargas");
    if (downloads) {
      downloads.hidden = false;
    }
  }

  return { pointsCsv: pointsCsv, monthsCsv: monthsCsv, offer: offer };
})(balvixFormat);
