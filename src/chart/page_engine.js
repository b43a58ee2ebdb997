// balvixEngine, the page's engine: the very C++ of balvix-grafico, compiled
// to WebAssembly and carried in the page (element "motor", base64), which
// walks any inputs as the program would. Also there for tests and other
// tools:
//
//   balvixEngine.ready: a promise, settled once the engine can run (it
//     rejects on a page made without it: balvixEngine.available is false).
//   balvixEngine.run({config, entrada, escenarios: [{nombre, texto}],
//     argumento, hoy, solo, saldo}): the files' bytes as strings of one
//     character per byte (Windows-1252; a character beyond 255 that
//     Windows-1252 has is taken as its byte, any other as "?"); a
//     scenario's name is its file's name, ".txt" added when missing; hoy, a
//     day dd/mm/aaaa (optional); solo, "bajos" for bajos alone (datos and
//     html are then null), or "tablas N" for the tables of scenario N alone
//     (1 for the first) as html; saldo, with hoy inside the walk, today's
//     balance as the bank tells it ("1234.56", "-80"): a line "real
//     (banco)", the plan walked from hoy with it, comes first beside the
//     plan, and every scenario is walked from hoy with it too; separador,
//     "\\" for the paths of the faults written as on Windows ("/" when
//     missing); colchon ("500"; empty: 0), with solo "holgura"; gastos and
//     ingresos, with hoy, the percents of the line "gastos/ingresos", last
//     beside the plan. Returns
//     {datos, html, errores, mensaje, bajos, holgura}: datos, the JSON text of the
//     page's data for those files, byte for byte as balvix-grafico writes
//     it into a page (null when the run gives none); html, the part of that
//     page that changes with its data, between its title and the end of its
//     main part (key figures, chart box, comparison, tables); errores, the
//     lines Errores.txt would hold; mensaje, what the program would tell (""
//     when nothing); bajos, with hoy, the record lows of the plan and of
//     each line beside it: per line, [day (aaaa-mm-dd), balance] of each day
//     whose balance is below every earlier one, counted afresh from hoy on;
//     holgura, alone, per line its two figures of room, or null.
//     When the engine runs out of memory it is started afresh and the
//     answer is mensaje alone.
//   balvixEngine.bytesOf(text): the Windows-1252 bytes (a Uint8Array) of a
//     text, taken as run takes its texts.
var balvixEngine = (function () {
  "use strict";

  // The characters of Windows-1252 from 0x80 to 0x9F, by their byte.
  var high = "\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039" +
    "\u0152\u008d\u017d\u008f\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122" +
    "\u0161\u203a\u0153\u009d\u017e\u0178";
  var outOfMemory = "No hay memoria bastante para calcular esto en el navegador.";
  var element = document.getElementById("motor");
  var module = null;
  var instance = null;

  function bytesOf(text) {
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) {
      var code = text.charCodeAt(i);
      var at = code > 0xff ? high.indexOf(text.charAt(i)) : -1;
      bytes[i] = code <= 0xff ? code : (at >= 0 ? 0x80 + at : 0x3f);
    }
    return bytes;
  }

  function start() {
    var imports = {};
    // The C library's few calls to a system write nowhere.
    WebAssembly.Module.imports(module).forEach(function (wanted) {
      imports[wanted.module] = imports[wanted.module] || {};
      imports[wanted.module][wanted.name] = function () { return 52; };
    });
    instance = new WebAssembly.Instance(module, imports);
    instance.exports._initialize();
  }

  var ready = element === null ? Promise.reject(new Error("sin motor")) :
    WebAssembly.compile(Uint8Array.from(atob(element.textContent.trim()), function (c) {
      return c.charCodeAt(0);
    })).then(function (compiled) {
      module = compiled;
      start();
    });
  ready.catch(function () {});

  // The texts of the request, each a 4-byte little-endian length and its
  // bytes, written into the engine's memory.
  function ask(texts) {
    var parts = texts.map(bytesOf);
    var size = parts.reduce(function (sum, part) { return sum + 4 + part.length; }, 0);
    var at = instance.exports.balvix_input(size);
    var view = new DataView(instance.exports.memory.buffer);
    parts.forEach(function (part) {
      view.setUint32(at, part.length, true);
      new Uint8Array(instance.exports.memory.buffer, at + 4, part.length).set(part);
      at += 4 + part.length;
    });
    var answered = instance.exports.balvix_run();
    var from = instance.exports.balvix_output();
    var answer = new Uint8Array(instance.exports.memory.buffer, from, answered).slice();
    var out = [];
    for (var i = 0; i < answer.length;) {
      var length = new DataView(answer.buffer).getUint32(i, true);
      out.push(answer.subarray(i + 4, i + 4 + length));
      i += 4 + length;
    }
    return out;
  }

  function run(inputs) {
    if (instance === null) {
      throw new Error("el motor no está listo");
    }
    var texts = [inputs.config || "", inputs.entrada || "", inputs.argumento || "",
      inputs.hoy || "", inputs.solo || "", inputs.saldo || "", inputs.separador || "",
      inputs.colchon || "", inputs.gastos || "", inputs.ingresos || ""];
    (inputs.escenarios || []).forEach(function (scenario) {
      texts.push(scenario.nombre || "", scenario.texto || "");
    });
    var parts;
    try {
      parts = ask(texts);
    } catch (error) {
      // A trap (memory ran out) leaves the engine unusable: a new one.
      start();
      return {datos: null, html: null, errores: [], mensaje: outOfMemory, bajos: null,
        holgura: null};
    }
    var utf8 = new TextDecoder("utf-8");
    var windows1252 = new TextDecoder("windows-1252");
    if (parts.length < 5) {
      return {datos: null, html: null, errores: [], mensaje: "", bajos: null, holgura: null};
    }
    return {
      datos: parts[0].length > 0 ? utf8.decode(parts[0]) : null,
      html: parts[1].length > 0 ? utf8.decode(parts[1]) : null,
      errores: parts.slice(5).map(function (line) { return windows1252.decode(line); }),
      mensaje: windows1252.decode(parts[3]),
      bajos: parts[2].length > 0 ? JSON.parse(utf8.decode(parts[2])) : null,
      holgura: parts[4].length > 0 ? JSON.parse(utf8.decode(parts[4])) : null
    };
  }

  return {available: element !== null, ready: ready, run: run, bytesOf: bytesOf};
})();
