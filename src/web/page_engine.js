// balvixEngine, the page's engine: the very C++ of balvix-grafico, compiled
// to WebAssembly and carried in the page (element "motor", base64), which
// walks any inputs as the program would. Its request and its answer are
// those of src/engine/engine.h, which says what each field means. Also
// there for tests and other tools:
//
//   balvixEngine.ready: a promise, settled once the engine can run (it
//     rejects on a page made without it: balvixEngine.available is false).
//   balvixEngine.run({config, entrada, escenarios: [{nombre, texto, calcular}],
//     argumento, hoy, saldo, separador, solo, fallidos, colchon, gastos,
//     ingresos}): every text a
//     string of one character per byte, as the files hold them (a
//     character beyond 255 that Windows-1252 has is taken as its byte, any
//     other as a file saved as UTF-8 holds it, so that a typed text reads
//     as such a file would); hoy, dd/mm/aaaa; saldo, today's balance ("1234.56",
//     "-80"); separador, "\\" for the paths of the faults as on Windows;
//     solo, "bajos", "escenarios", "holgura" or "tablas N" (N, 1 for the
//     first scenario) for those parts alone; fallidos, "fuera" to leave
//     faulty scenarios off the walk; colchon ("500"; empty: 0), the floor of
//     the figures of room (solo "holgura", or holgura "si" with any other
//     part); gastos and ingresos, with hoy,
//     the percents of the line "gastos/ingresos", last beside the plan.
//     Returns {estado ("calculado", "rechazado", "saldo no tomado", "mal
//     formado", "sin memoria" or "fallo del motor"), datos, html, bajos and
//     holgura (parsed), mensaje, errores (the lines of Errores.txt), fuera:
//     [{nombre, errores}]}; datos, html, bajos and holgura are null when not
//     given. After a trap the engine is started afresh.
//   balvixEngine.faultsOf(answer, name): the faults of the scenario file
//     `name` that an answer left out, or null.
//   balvixEngine.bytesOf(text): the bytes (a Uint8Array) of a text, taken
//     as run takes its texts (balvixTyped.bytesOf).
var balvixEngine = (function (typed) {
  "use strict";

  var outOfMemory = "No hay memoria bastante para calcular esto en el navegador.";
  var engineFault = "El motor de cálculo falló: ";
  var element = document.getElementById("motor");
  var module = null;
  var instance = null;

  var bytesOf = typed.bytesOf;

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

  // The request's fields (src/engine/engine_bytes.h) from run's inputs.
  function fieldsOf(inputs) {
    var solo = (inputs.solo || "").split(" ");
    var fields = ["config", inputs.config, "entrada", inputs.entrada,
      "argumento", inputs.argumento, "hoy", inputs.hoy, "saldo", inputs.saldo,
      "separador", inputs.separador, "solo", solo[0], "tablas", solo[1],
      "fallidos", inputs.fallidos, "colchon", inputs.colchon, "holgura", inputs.holgura,
      "gastos", inputs.gastos, "ingresos", inputs.ingresos];
    (inputs.escenarios || []).forEach(function (scenario) {
      fields.push("escenario", scenario.nombre, "texto", scenario.texto);
      if (scenario.calcular === false) {
        fields.push("calcular", "no");
      }
    });
    return fields.map(function (text) { return text || ""; });
  }

  // The answer's fields as run returns them.
  function answerOf(parts) {
    var text = new TextDecoder("utf-8");
    var answer = {estado: "", datos: null, html: null, bajos: null, holgura: null, mensaje: "",
      errores: [], fuera: []};
    var faults = answer.errores;
    for (var i = 0; i + 1 < parts.length; i += 2) {
      var name = text.decode(parts[i]);
      var value = text.decode(parts[i + 1]);
      if (name === "error") {
        faults.push(value);
      } else if (name === "fuera") {
        answer.fuera.push({nombre: value, errores: faults = []});
      } else {
        answer[name] = name === "bajos" || name === "holgura" ? JSON.parse(value) : value;
      }
    }
    return answer;
  }

  function run(inputs) {
    if (instance === null) {
      throw new Error("el motor no está listo");
    }
    try {
      return answerOf(ask(fieldsOf(inputs)));
    } catch (error) {
      // A trap leaves the engine unusable: a new one. Running out of memory
      // is told as such; any other trap as the fault it is.
      start();
      var memory = error instanceof RangeError || /memory/i.test(String(error.message));
      return {estado: memory ? "sin memoria" : "fallo del motor", datos: null, html: null,
        bajos: null, holgura: null, mensaje: memory ? outOfMemory : engineFault + error.message, errores: [],
        fuera: []};
    }
  }

  // The faults of the scenario file `name` that an answer left out, or null.
  function faultsOf(answer, name) {
    var own = answer.fuera.filter(function (scenario) {
      return scenario.nombre === name;
    })[0];
    return own ? own.errores : null;
  }

  return {available: element !== null, ready: ready, run: run, bytesOf: bytesOf,
    faultsOf: faultsOf};
})(balvixTyped);
