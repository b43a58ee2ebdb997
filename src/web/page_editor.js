// Scenarios typed in a balvix-grafico page: under "¿Y si...?", a box with the
// text of each scenario file the page was made with, and boxes for new ones.
// Each key runs the page's engine on the page's own config.txt, entrada.txt
// and argument with the scenarios as typed, and the chart, the comparison,
// the tables, the readout and the CSV files follow. A scenario with faults
// shows the lines Errores.txt would get for a file holding its text, and is
// left out of the chart until they are mended. What is typed is kept in the
// browser's storage for this page. Beside the cushion, a field of today's
// balance as the bank tells it: with it, the plan is walked again from
// today with that balance (the line "real (banco)"), and so is every
// scenario; the plan's lines are dimmed from today, the figures of today
// count from the real balance, and the field says how far it is from the
// plan's. Nothing is built without the engine.
(function (engine, format, lines, controls, typed, names, kept, boxesDom, parts, changedFile) {
  "use strict";

  var files = balvixBlocks.files;
  var MOST = files.escenarios; // scenarios walked beside the plan, as in the folder
  var MOST_LINES = 1000;
  var TOO_LONG = "Este escenario pasa de 1.000 líneas o de 100.000 caracteres: aquí no se " +
    "calcula. Guárdelo en la carpeta " + files.carpeta + " y vuelva a abrir balvix-grafico.";
  var sources = balvixBlocks.sources;
  var tablesBox = document.getElementById("tablas");
  if (!engine.available || !sources || !tablesBox || !window.balvixDraw) {
    return;
  }
  var element = controls.element;
  // The page's data less what comes with scenarios (the engine gives that
  // alone on each key).
  var planData = Object.assign({}, balvixBlocks.data);
  delete planData.cifras;
  delete planData.escenarios;
  delete planData.escenariosFuera;
  var planGroup = parts.planGroupOf(tablesBox);
  var storageKey = "balvix-escenarios:" + window.location.pathname;
  // Faults name a scenario's file as Errores.txt does on the reader's system.
  var separator = /Windows/.test(navigator.userAgent) ? "\\" : "/";
  var boxes = []; // balvixBoxes.addBox's boxes, in order
  // Today's balance typed (amountOf), or null; where the field says what
  // it does.
  var todayBalance = null;
  var balanceNote = null;
  var todayIso = format.today();
  var todayX = format.dayNumberOfIso(todayIso);
  // The section of the boxes, its list of them, its notice and its button.
  var editor = null;
  var list = null;
  var notice = null;
  var addButton = null;

  // Judges every new scenario's name again, against the names of the
  // scenarios before it: a clash is the later one's fault.
  function judgeNames() {
    boxes.forEach(function (box, k) {
      if (box.nameNote) {
        box.nameFault = names.newNameFault(box.name, boxes.slice(0, k).map(function (other) {
          return other.name;
        }));
        box.nameNote.textContent = box.nameFault;
        box.nameField.setAttribute("aria-invalid", box.nameFault === "" ? "false" : "true");
      }
    });
  }

  // The inputs with the scenarios `walked` as typed; those of `unfit`, with
  // faults the engine cannot see, are read for their faults alone.
  function sourcesWith(walked, unfit) {
    return Object.assign({}, sources, { separador: separator,
      escenarios: walked.map(function (box) {
        return { nombre: boxesDom.fileName(box), texto: box.area.value,
          calcular: (unfit || []).indexOf(box) < 0 };
      }) });
  }

  // The engine's answer for the scenarios `walked` and today's balance, in
  // one call: {asked (the inputs of what was walked), answer}. A scenario
  // with faults is left off the walk by the engine, which gives its faults
  // by its name; when today's balance cannot count, the walk is without it,
  // and the field says why.
  function walk(walked, unfit) {
    var asked = sourcesWith(walked, unfit);
    asked.solo = "escenarios";
    asked.fallidos = "fuera";
    // From today, the answer has today's lows, for today's figures exact to
    // the day on a page of weeks or months, and the figures of room.
    asked.hoy = format.dateText(todayX);
    asked.holgura = "si";
    asked.colchon = window.balvixCushion();
    if (todayBalance !== null) {
      asked.saldo = todayBalance.plain;
    }
    if (controls.scaling()) {
      Object.assign(asked, controls.scaling(), { hoy: format.dateText(todayX) });
    }
    var answer = engine.run(asked);
    if (asked.saldo !== undefined && answer.estado === "saldo no tomado") {
      balanceNote.textContent = " " + answer.mensaje;
      delete asked.saldo;
    } else if (balanceNote) {
      balanceNote.textContent = asked.saldo === undefined ? "" : " " +
        lines.todayDifference(answer.bajos, todayIso, planData.dias);
    }
    delete asked.solo;
    delete asked.fallidos;
    delete asked.holgura;
    delete asked.colchon;
    asked.escenarios = asked.escenarios.filter(function (scenario) {
      return scenario.calcular && engine.faultsOf(answer, scenario.nombre) === null;
    }).map(function (scenario) {
      return { nombre: scenario.nombre, texto: scenario.texto };
    });
    return { asked: asked, answer: answer };
  }

  // Walks the plan with the scenarios as typed, and shows it.
  function update() {
    var status = "";
    var fit = boxes.filter(function (box) {
      var text = box.area.value;
      var tooLong = text.length > boxesDom.LONGEST || typed.lineCount(text) > MOST_LINES;
      var named = box.nameFault === "";
      boxesDom.showFaults(box, !tooLong ? [] : [TOO_LONG]);
      return !tooLong && named;
    });
    // Characters no file can hold are faults the engine does not see: a
    // scenario with them is read for its other faults, and not walked.
    var pathOf = function (box) {
      return files.carpeta + separator + boxesDom.fileName(box);
    };
    var unfit = fit.filter(function (box) {
      return typed.characterFaults(box.area.value, pathOf(box)).length > 0;
    });
    var walked = walk(fit, unfit);
    var answer = walked.answer;
    fit.forEach(function (box) {
      boxesDom.showFaults(box, typed.faultsOf(engine.faultsOf(answer, boxesDom.fileName(box)) || [],
        pathOf(box), box.area.value));
    });
    if (answer.datos === null) {
      status = answer.mensaje;
    } else {
      var real = walked.asked.saldo !== undefined;
      parts.replaceParts(answer.html, walked.asked, editor, tablesBox, planGroup);
      // The key figures of today count from the real balance.
      [].forEach.call(document.querySelectorAll("dl.cifras [data-linea]"), function (cell) {
        cell.setAttribute("data-linea", real ? "1" : "0");
      });
      window.balvixDraw(Object.assign({}, planData, JSON.parse(answer.datos)), walked.asked,
        real ? todayX : undefined, answer.bajos, answer.holgura);
    }
    notice.textContent = status;
  }

  // Each key is walked at once; keys typed before the engine is ready, once
  // it is.
  var ready = false;
  var waiting = false;
  function changed() {
    kept.keep(storageKey, boxes);
    if (ready) {
      update();
    } else if (!waiting) {
      waiting = true;
      engine.ready.then(function () {
        ready = true;
        update();
      }, function () {});
    }
  }

  // A box for the scenario `name` whose text is `text`, after the others;
  // `fromFile`, the text of its file (null for one typed here), `file`, its
  // file's name.
  function addBox(name, text, fromFile, file) {
    var box = boxesDom.addBox(list, name, text, fromFile, file, {
      named: function () {
        judgeNames();
        changed();
      },
      changed: changed,
      removed: function (gone) {
        boxes.splice(boxes.indexOf(gone), 1);
        judgeNames();
        changed();
        addButton.focus();
      } });
    boxes.push(box);
    judgeNames();
    return box;
  }

  // A box for a new scenario, with the first name "nuevo", "nuevo 2"... not
  // taken; none beyond the most scenarios walked.
  function addNew() {
    if (boxes.length >= MOST) {
      notice.textContent = "Ya hay seis escenarios, los más que se comparan con el plan: " +
        "quite uno para escribir otro.";
      return;
    }
    var name = "";
    var taken = boxes.map(function (box) {
      return box.name;
    });
    for (var k = 1; name === "" || names.newNameFault(name, taken) !== ""; k++) {
      name = "nuevo" + (k > 1 ? " " + k : "");
    }
    addBox(name, "", null).focusable.focus();
    changed();
  }

  // The section "Escenarios escritos aquí", before the tables.
  function addEditor() {
    editor = element("section", "escribir");
    editor.id = "escribir";
    editor.setAttribute("aria-labelledby", "escribir-titulo");
    var title = editor.appendChild(element("h2", "", "Escenarios escritos aquí"));
    title.id = "escribir-titulo";
    editor.appendChild(element("p", "nota", "Cada línea como las de entrada.txt añade un " +
      "movimiento; un - y una línea de entrada.txt la quitan del plan. El gráfico, la " +
      "comparación y las tablas siguen lo que escribe, y este navegador lo guarda para esta " +
      "página. «Guardar» lo descarga como fichero para la carpeta " + files.carpeta + "."));
    list = editor.appendChild(element("div", "escenarios-escritos"));
    var adding = editor.appendChild(element("p", "acciones"));
    notice = element("span", "aviso");
    notice.setAttribute("aria-live", "polite");
    addButton = boxesDom.button("Nuevo escenario", addNew);
    adding.appendChild(addButton);
    adding.appendChild(notice);
    tablesBox.parentNode.insertBefore(editor, tablesBox);
  }

  // The field of today's balance, after the cushion's.
  function addBalanceField() {
    var cushionLine = document.querySelector(".campo-colchon");
    if (!cushionLine) {
      return;
    }
    var paragraph = element("p", "campo-saldo");
    cushionLine.parentNode.insertBefore(paragraph, cushionLine.nextSibling);
    var started = false;
    balanceNote = controls.amountField(paragraph, { key: "saldo", signed: true,
      label: "Saldo de hoy (según el banco): ", note: "" }, function (amount) {
      todayBalance = amount;
      if (started) {
        changed();
      }
    });
    controls.scalingFields(paragraph, function () {
      if (started) {
        changed();
      }
    });
    started = true;
  }

  // A box for each scenario file of the page, with what the browser keeps
  // typed over it, and one for each scenario typed here that it keeps; true
  // when what is shown differs from the page's.
  function addKeptBoxes() {
    var stored = kept.kept(storageKey);
    var differs = false;
    (sources.escenarios || []).forEach(function (scenario) {
      var name = typed.fromBytes(scenario.nombre);
      name = name.slice(-files.fin.length).toLowerCase() === files.fin ?
        name.slice(0, -files.fin.length) : name;
      var text = typed.splitLines(typed.fromBytes(scenario.texto)).join("\n");
      var mine = stored.filter(function (s) {
        return s.fichero && s.nombre === name;
      })[0];
      var typedOver = mine !== undefined && mine.texto !== text;
      // Typed over another text of the file: the file's is drawn, both offered.
      var stale = typedOver && mine.desde !== text;
      differs = differs || (typedOver && !stale);
      var box = addBox(name, typedOver && !stale ? mine.texto : text, text,
        typed.fromBytes(scenario.nombre));
      if (stale) {
        box.typedOver = mine;
        changedFile.offerBoth(box, mine.texto, element, function (text) {
          box.typedOver = null;
          box.area.value = text;
          changed();
        });
      }
    });
    stored.forEach(function (s) {
      if (!s.fichero && boxes.length < MOST) {
        addBox(s.nombre, s.texto, null);
        differs = true;
      }
    });
    return differs;
  }

  addEditor();
  addBalanceField();
  if (addKeptBoxes() || todayBalance !== null || controls.scaling()) {
    changed();
  }
})(balvixEngine, balvixFormat, balvixLines, balvixControls, balvixTyped, balvixNames,
  balvixKept, balvixBoxes, balvixParts, balvixChangedFile);
