// What the scripts of a balvix-grafico page add to it besides the chart: a
// tick box per balance line when there are scenarios, the cushion field (an
// amount kept in the page's address, #colchon=500), amount fields kept there
// the same way, and the cells that
// depend on today or on the cushion: those marked data-hoy="gastar",
// data-colchon="primero" or "gastar", of line data-linea (0 the plan, i
// scenario i). Used by page.js as balvixControls.
var balvixControls = (function (figures, chart) {
  "use strict";

  // An amount typed: digits (at most twelve) with at most two decimals
  // after ",", "." or "'", and with `signed` a "-" before them; as a number,
  // and as the plain decimal the page's engine reads ("-1234.5"), or null.
  function amountOf(text, signed) {
    var t = String(text || "").trim();
    var pattern = signed ? /^-?\d{1,12}([.,']\d{0,2})?$/ : /^\d{1,12}([.,']\d{0,2})?$/;
    if (!pattern.test(t)) {
      return null;
    }
    var plain = t.replace(/[,']/, ".").replace(/\.$/, "");
    return { value: Number(plain), plain: plain };
  }

  // The page's address keeps the amounts typed: #colchon=500&saldo=1234.56.
  function inAddress(key) {
    var found = new RegExp("^#(?:.*&)?" + key + "=([^&]*)").exec(window.location.hash);
    try {
      return found ? decodeURIComponent(found[1]) : "";
    } catch (e) {
      return "";
    }
  }

  function keepInAddress(key, text) {
    var parts = window.location.hash.replace(/^#/, "").split("&").filter(function (part) {
      return part !== "" && part.split("=")[0] !== key;
    });
    if (text) {
      parts.push(key + "=" + encodeURIComponent(text));
    }
    var address = window.location.href.split("#")[0] + (parts.length > 0 ? "#" +
      parts.join("&") : "");
    try {
      window.history.replaceState(null, "", address);
    } catch (e) {
      window.location.hash = parts.join("&");
    }
  }

  function element(tag, className, text) {
    var e = document.createElement(tag);
    if (className) {
      e.className = className;
    }
    if (text !== undefined) {
      e.textContent = text;
    }
    return e;
  }

  function setCell(cell, value, detail) {
    cell.textContent = "";
    var main = element("span", value.charAt(0) === "-" ? "neg" : "", value);
    cell.appendChild(main);
    if (detail) {
      cell.appendChild(element("span", "detalle", detail));
    }
  }

  // Fills the cells of today and of the cushion (null: none) for the lines
  // `lines` and today's day number, and shows the cushion's cells only with one.
  function fill(lines, todayX, cushion) {
    function each(selector, body) {
      [].forEach.call(document.querySelectorAll(selector), function (cell) {
        var line = lines[+cell.getAttribute("data-linea")];
        if (line) {
          body(cell, line);
        }
      });
    }
    function spend(floor) {
      return function (cell, line) {
        var figure = figures.spendToday(line, todayX, floor);
        setCell(cell, figure.text, figure.detail);
      };
    }
    each("[data-hoy=gastar]", spend(0));
    if (cushion !== null) {
      each("[data-colchon=gastar]", spend(cushion));
      each("[data-colchon=primero]", function (cell, line) {
        setCell(cell, figures.firstBelow(line, cushion), "");
      });
    }
    [].forEach.call(document.querySelectorAll("tbody.colchon, .cifras .colchon"), function (e) {
      e.hidden = cushion === null;
    });
  }

  // Fills the cells of the figures of room (data-holgura="gastos" or
  // "apartar", of line data-linea) from the engine's holgura (per line
  // [expenses, monthly], or null); `none` where a line has none.
  function fillRoom(room, none) {
    [].forEach.call(document.querySelectorAll("[data-holgura]"), function (cell) {
      var figures = room && room[+cell.getAttribute("data-linea")];
      var which = cell.getAttribute("data-holgura") === "gastos" ? 0 : 1;
      setCell(cell, figures ? figures[which] : none, "");
    });
  }

  // The cushion field after the key figures (and, without scenarios, the
  // cushion's two key figures); onChange(cushion or null) is called now and
  // on every change of the field or of the address.
  function cushionField(withScenarios, onChange) {
    var keyFigures = document.querySelector("dl.cifras");
    if (!keyFigures) {
      return;
    }
    if (!withScenarios) {
      [["primero", "Primer día por debajo del colchón"],
        ["gastar", "Se puede gastar hoy sin bajar del colchón"]].forEach(function (f) {
        var box = element("div", "colchon");
        box.hidden = true;
        box.appendChild(element("dt", "", f[1]));
        var value = box.appendChild(element("dd"));
        value.setAttribute("data-colchon", f[0]);
        value.setAttribute("data-linea", "0");
        keyFigures.appendChild(box);
      });
    }
    var paragraph = element("p", "campo-colchon");
    keyFigures.parentNode.insertBefore(paragraph, keyFigures.nextSibling);
    amountField(paragraph, { key: "colchon", label: "Colchón: ", signed: false,
      note: " el saldo por debajo del cual no quiere bajar (vacío: ninguno)" },
    function (amount) {
      onChange(amount === null ? null : amount.value);
    });
  }

  // An amount field in `paragraph`, kept in the address under `field.key`
  // (also the field's id), labelled `field.label`, with the note
  // `field.note`; onChange(amount of amountOf, or null) is called now and on
  // every change of the field or of the address. Returns the field's
  // element for notes (aria-live).
  function amountField(paragraph, field, onChange) {
    var label = paragraph.appendChild(element("label", "", field.label));
    var input = label.appendChild(element("input"));
    input.id = field.key;
    input.type = "text";
    input.inputMode = field.signed ? "text" : "decimal";
    input.size = 10;
    input.autocomplete = "off";
    var note = paragraph.appendChild(element("span", "nota", field.note));
    note.setAttribute("aria-live", "polite");
    function changed(keep) {
      var text = input.value.trim();
      var amount = amountOf(text, field.signed);
      input.setAttribute("aria-invalid", text !== "" && amount === null ? "true" : "false");
      if (keep && (amount !== null || text === "")) {
        keepInAddress(field.key, text);
      }
      onChange(amount);
    }
    input.value = inAddress(field.key);
    input.addEventListener("input", function () {
      changed(true);
    });
    window.addEventListener("hashchange", function () {
      if (input.value !== inAddress(field.key)) {
        input.value = inAddress(field.key);
        changed(false);
      }
    });
    changed(false);
    return note;
  }

  // The percents of the line "gastos/ingresos" ({gastos, ingresos}, "" for
  // none), or null.
  var scaled = { gastos: "", ingresos: "" };
  function scaling() {
    return scaled.gastos === "" && scaled.ingresos === "" ? null :
      { gastos: scaled.gastos, ingresos: scaled.ingresos };
  }

  // Their fields after `before`, kept in the address; a value out of range
  // is refused and changes nothing; onChange() on every change.
  function scalingFields(before, onChange) {
    var paragraph = element("p", "campo-escala");
    before.parentNode.insertBefore(paragraph, before.nextSibling);
    [["gastos", "¿Y si los gastos suben...? ", 1000],
      ["ingresos", "¿Y si los ingresos bajan...? ", 100]].forEach(function (field) {
      var key = field[0];
      var label = paragraph.appendChild(element("label", "", field[1]));
      var input = label.appendChild(element("input"));
      input.id = key;
      input.type = "text";
      input.size = 5;
      input.autocomplete = "off";
      label.appendChild(document.createTextNode(" %"));
      var note = paragraph.appendChild(element("span", "nota"));
      note.setAttribute("aria-live", "polite");
      function changed(keep) {
        var text = input.value.trim();
        var value = /^[-+]?\d{1,4}$/.test(text) ? Number(text) : NaN;
        var fits = text === "" || (value >= -100 && value <= field[2]);
        input.setAttribute("aria-invalid", fits ? "false" : "true");
        note.textContent = fits ? " " : " Escriba un número entero de -100 a " +
          (field[2] === 1000 ? "1.000" : "100") + ": no se tiene en cuenta.";
        var now = text === "" ? "" : String(value);
        if (!fits || now === scaled[key]) {
          return;
        }
        scaled[key] = now;
        if (keep) {
          keepInAddress(key, now);
        }
        onChange();
      }
      input.value = inAddress(key);
      input.addEventListener("input", function () {
        changed(true);
      });
      window.addEventListener("hashchange", function () {
        if (input.value !== inAddress(key)) {
          input.value = inAddress(key);
          changed(false);
        }
      });
      changed(false);
    });
    return paragraph;
  }

  // A tick box per line (balvixLines' lines) right after the chart's box,
  // as a uPlot plugin: each shows and hides its line's balance on the chart,
  // and follows the legend too.
  function lineBoxes(lines) {
    var inputs = [];
    function make(u) {
      var box = element("fieldset", "lineas");
      box.appendChild(element("legend", "", "Líneas del gráfico"));
      var shown = chart.shownLines(u);
      inputs = lines.map(function (line) {
        var label = box.appendChild(element("label"));
        var input = label.appendChild(element("input"));
        input.type = "checkbox";
        input.checked = shown[line.number];
        var swatch = label.appendChild(element("span", "muestra"));
        swatch.style.borderTop = "3px " + (line.number === 0 ? "solid #1f5f99" : "dashed " +
          line.colour);
        label.appendChild(document.createTextNode(line.name));
        input.addEventListener("change", function () {
          chart.showLine(u, line.number, input.checked);
        });
        return input;
      });
      var chartBox = u.root.parentNode;
      chartBox.parentNode.insertBefore(box, chartBox.nextSibling);
    }
    function follow(u) {
      var shown = chart.shownLines(u);
      inputs.forEach(function (input, k) {
        input.checked = shown[lines[k].number];
      });
    }
    return { hooks: { init: [make], setSeries: [follow] } };
  }

  return { fill: fill, fillRoom: fillRoom, cushionField: cushionField, amountField: amountField,
    scalingFields: scalingFields, scaling: scaling,
    lineBoxes: lineBoxes, element: element, amountOf: amountOf };
})(balvixLines, balvixChart);
