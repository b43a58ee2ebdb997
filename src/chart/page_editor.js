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
(function (engine, tables, format, controls) {
  "use strict";

  var MOST = 6; // scenarios walked beside the plan, as in the folder
  var LONGEST = 100000; // characters of a scenario typed here
  var MOST_LINES = 1000;
  var ENDING = ".txt";
  var sourcesElement = document.getElementById("entradas");
  var tablesBox = document.getElementById("tablas");
  if (!engine.available || !sourcesElement || !tablesBox || !window.balvixDraw) {
    return;
  }
  var element = controls.element;
  var sources = JSON.parse(sourcesElement.textContent);
  // The page's data less what comes with scenarios (the engine gives that
  // alone on each key).
  var planData = JSON.parse(document.getElementById("datos").textContent);
  delete planData.cifras;
  delete planData.escenarios;
  delete planData.escenariosFuera;
  // A page without scenarios gets the group its plan's tables would be in.
  var planGroup = tablesBox.querySelector(".tablas-linea[data-linea=\"0\"]");
  if (!planGroup) {
    planGroup = element("div", "tablas-linea");
    planGroup.setAttribute("data-linea", "0");
    while (tablesBox.firstChild) {
      planGroup.appendChild(tablesBox.firstChild);
    }
    tablesBox.appendChild(planGroup);
  }
  var storageKey = "balvix-escenarios:" + window.location.pathname;
  // Faults name a scenario's file as Errores.txt does on the reader's system.
  var separator = /Windows/.test(navigator.userAgent) ? "\\" : "/";

  // A text of one character per byte (the page's inputs) as the characters
  // those Windows-1252 bytes are (the engine takes either).
  function fromBytes(text) {
    return new TextDecoder("windows-1252").decode(Uint8Array.from(text, function (c) {
      return c.charCodeAt(0);
    }));
  }

  var boxes = []; // {name, fromFile (its file's text, or null), area, faults, root}
  var counter = 0;

  function fileName(box) {
    return box.file || box.name + ENDING;
  }

  // Why `name` cannot name a new scenario, or "".
  function nameFault(name, box) {
    if (name === "") {
      return "Escriba un nombre para el escenario.";
    }
    // Latin-1 characters that a file's name may hold on every system.
    var allowed = "[^\\u0000-\\u001f\\u007f-\\u009f\\u0100-\\uffff/\\\\:*?\"<>|";
    if (!new RegExp("^" + allowed + ".]" + allowed + "]{0,59}$").test(name)) {
      return "El nombre no puede empezar por un punto ni llevar / \\ : * ? \" < > |, € " +
        "ni letras de fuera del alfabeto latino, y tiene a lo sumo 60 caracteres.";
    }
    var taken = boxes.some(function (other) {
      return other !== box && other.name.toLowerCase() === name.toLowerCase();
    });
    return taken ? "Ya hay un escenario con ese nombre." : "";
  }

  function keep() {
    var kept = boxes.map(function (box) {
      return { nombre: box.name, texto: box.area.value, fichero: box.fromFile !== null };
    });
    try {
      window.localStorage.setItem(storageKey, JSON.stringify(kept));
    } catch (e) {
      // A browser that keeps nothing for the page: what is typed lasts until it closes.
    }
  }

  function kept() {
    try {
      var list = JSON.parse(window.localStorage.getItem(storageKey) || "[]");
      return Array.isArray(list) ? list : [];
    } catch (e) {
      return [];
    }
  }

  // The inputs with the scenarios `walked` as typed.
  function sourcesWith(walked) {
    return Object.assign({}, sources, { separador: separator,
      escenarios: walked.map(function (box) {
        return { nombre: fileName(box), texto: box.area.value };
      }) });
  }

  function showFaults(box, lines) {
    box.faults.textContent = "";
    lines.forEach(function (line) {
      box.faults.appendChild(element("li", "", line));
    });
    box.area.setAttribute("aria-invalid", lines.length > 0 ? "true" : "false");
  }

  // Puts the parts of the page the engine wrote from `html` in the place of
  // the page's own: the comparison, and the choice of tables with the
  // scenarios' groups around the plan's, which stays as it is.
  function replaceParts(html, walked) {
    var made = new DOMParser().parseFromString(html, "text/html");
    var comparison = made.getElementById("y-si");
    var old = document.getElementById("y-si");
    if (old) {
      old.parentNode.removeChild(old);
    }
    if (comparison) {
      editor.parentNode.insertBefore(document.adoptNode(comparison), editor);
    }
    var choice = document.getElementById("tablas-de");
    var picked = choice ? choice.value : "0";
    [].forEach.call(tablesBox.querySelectorAll(".elegir-tablas, .tablas-linea"), function (part) {
      if (part !== planGroup) {
        tablesBox.removeChild(part);
      }
    });
    var newChoice = made.querySelector(".elegir-tablas");
    if (newChoice) {
      tablesBox.insertBefore(document.adoptNode(newChoice), planGroup);
    }
    [].forEach.call(made.querySelectorAll(".tablas-linea"), function (group) {
      if (group.getAttribute("data-linea") !== "0") {
        tablesBox.appendChild(document.adoptNode(group));
      }
    });
    planGroup.hidden = false;
    choice = document.getElementById("tablas-de");
    if (choice && choice.querySelector("option[value=\"" + picked + "\"]")) {
      choice.value = picked;
    }
    tables.wire(walked);
  }

  // Today's balance typed (amountOf), or null; where the field says what
  // it does.
  var todayBalance = null;
  var balanceNote = null;
  var todayIso = format.today();
  var todayX = format.dayNumberOfIso(todayIso);

  // How far today's balance is from the plan's at the end of today, from
  // the record lows of the engine's answer (the plan's and the real line's
  // first from today are today's).
  function difference(lows) {
    function onToday(line) {
      var found = (line || []).filter(function (pair) {
        return pair[0] === todayIso;
      })[0];
      return found ? format.cents(found[1]) : null;
    }
    var plan = onToday(lows && lows[0]);
    var real = onToday(lows && lows[1]);
    if (plan === null || real === null) {
      return "";
    }
    var cents = real - plan;
    return cents === 0 ? "lo mismo que el plan hoy" : (cents > 0 ? "+" : "") +
      format.centsAmount(cents) + (cents > 0 ? " sobre el plan hoy" : " bajo el plan hoy");
  }

  // The engine's answer for the scenarios `walked` and today's balance:
  // {asked (the inputs), answer}; when today's balance cannot count, the
  // walk without it, and the field says why.
  function walk(walked) {
    var asked = sourcesWith(walked);
    asked.solo = "escenarios";
    if (todayBalance !== null) {
      asked.hoy = format.dateText(todayX);
      asked.saldo = todayBalance.plain;
    }
    if (controls.scaling()) {
      Object.assign(asked, controls.scaling(), { hoy: format.dateText(todayX) });
    }
    var answer = engine.run(asked);
    if (asked.saldo !== undefined && answer.datos === null && answer.errores.length === 0) {
      balanceNote.textContent = " " + answer.mensaje;
      delete asked.saldo;
      delete asked.hoy;
      answer = engine.run(asked);
    } else if (balanceNote) {
      balanceNote.textContent = asked.saldo === undefined ? "" : " " + difference(answer.bajos);
    }
    delete asked.solo;
    return { asked: asked, answer: answer };
  }

  // Walks the plan with the scenarios as typed, and shows it.
  function update() {
    var status = "";
    var fit = boxes.filter(function (box) {
      var text = box.area.value;
      var tooLong = text.length > LONGEST || text.split("\n").length > MOST_LINES;
      var named = box.nameFault === "";
      showFaults(box, !tooLong ? [] : ["Este escenario pasa de 1.000 líneas o de 100.000 " +
        "caracteres: aquí no se calcula. Guárdelo en la carpeta escenarios y vuelva a abrir " +
        "balvix-grafico."]);
      return !tooLong && named;
    });
    var walked = walk(fit);
    var answer = walked.answer;
    if (answer.errores.length > 0) {
      fit = fit.filter(function (box) {
        var prefix = "escenarios" + separator + fileName(box) + " ";
        var own = answer.errores.filter(function (line) {
          return line.lastIndexOf(prefix, 0) === 0;
        });
        showFaults(box, own);
        return own.length === 0;
      });
      walked = walk(fit);
      answer = walked.answer;
    }
    if (answer.datos === null) {
      status = answer.mensaje;
    } else {
      var real = walked.asked.saldo !== undefined;
      replaceParts(answer.html, walked.asked);
      // The key figures of today count from the real balance.
      [].forEach.call(document.querySelectorAll("dl.cifras [data-linea]"), function (cell) {
        cell.setAttribute("data-linea", real ? "1" : "0");
      });
      window.balvixDraw(Object.assign({}, planData, JSON.parse(answer.datos)), walked.asked,
        real ? todayX : undefined);
    }
    notice.textContent = status;
  }

  // Each key is walked at once; keys typed before the engine is ready, once
  // it is.
  var ready = false;
  var waiting = false;
  function changed() {
    keep();
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

  // The bytes of a scenario file holding `text`: Windows-1252, CR LF.
  function fileBytes(text) {
    var lines = text.replace(/\r\n?/g, "\n").replace(/\n$/, "");
    return engine.bytesOf(lines === "" ? "" : lines.replace(/\n/g, "\r\n") + "\r\n");
  }

  function save(box) {
    var link = element("a");
    link.download = fileName(box);
    var binary = "";
    fileBytes(box.area.value).forEach(function (byte) {
      binary += String.fromCharCode(byte);
    });
    link.href = "data:text/plain;charset=windows-1252;base64," + btoa(binary);
    document.body.appendChild(link);
    link.click();
    document.body.removeChild(link);
  }

  // The lines a scenario adds, for entrada.txt.
  function addedLines(box) {
    return box.area.value.split(/\r?\n/).filter(function (line) {
      return line.trim() !== "" && line.charAt(0) !== "-";
    }).join("\r\n");
  }

  function copy(box, told) {
    var text = addedLines(box);
    var done = function () {
      told.textContent = text === "" ? "No añade ninguna línea." : "Copiado.";
    };
    if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(text).then(done, function () {
        told.textContent = "El navegador no deja copiar: seleccione las líneas y cópielas.";
      });
    } else {
      told.textContent = "El navegador no deja copiar: seleccione las líneas y cópielas.";
    }
  }

  function button(text, onClick) {
    var b = element("button", "", text);
    b.type = "button";
    b.addEventListener("click", onClick);
    return b;
  }

  // A box for the scenario `name` whose text is `text`; `fromFile`, the text
  // of its file (null for one typed here).
  function addBox(name, text, fromFile, file) {
    var id = "escenario-" + (++counter);
    var box = { name: name, fromFile: fromFile, nameFault: "", file: file };
    box.root = element("div", "escenario-escrito");
    var nameField = null;
    if (fromFile === null) {
      var nameLine = box.root.appendChild(element("p"));
      var nameLabel = nameLine.appendChild(element("label", "", "Nombre del escenario "));
      nameLabel.htmlFor = id + "-nombre";
      nameField = nameLine.appendChild(element("input"));
      nameField.id = id + "-nombre";
      nameField.type = "text";
      nameField.autocomplete = "off";
      nameField.value = name;
      var nameNote = nameLine.appendChild(element("span", "fallo-nombre"));
      nameNote.id = id + "-nombre-fallo";
      nameNote.setAttribute("aria-live", "polite");
      nameField.setAttribute("aria-describedby", nameNote.id);
      nameField.addEventListener("input", function () {
        box.name = nameField.value.trim();
        box.nameFault = nameFault(box.name, box);
        nameNote.textContent = box.nameFault;
        nameField.setAttribute("aria-invalid", box.nameFault === "" ? "false" : "true");
        changed();
      });
      box.nameFault = nameFault(name, box);
      nameNote.textContent = box.nameFault;
    }
    var label = box.root.appendChild(element("label", "",
      fromFile === null ? "Líneas del escenario" : "Escenario " + name + " (escenarios/" +
        name + ENDING + ")"));
    label.htmlFor = id;
    box.area = box.root.appendChild(element("textarea"));
    box.area.id = id;
    box.area.rows = Math.min(8, Math.max(3, text.split("\n").length + 1));
    box.area.spellcheck = false;
    box.area.autocapitalize = "off";
    box.area.value = text;
    box.faults = box.root.appendChild(element("ul", "fallos"));
    box.faults.id = id + "-fallos";
    box.faults.setAttribute("aria-live", "polite");
    box.area.setAttribute("aria-describedby", box.faults.id);
    box.area.addEventListener("input", changed);
    var actions = box.root.appendChild(element("p", "acciones"));
    var told = element("span", "nota");
    told.setAttribute("aria-live", "polite");
    actions.appendChild(button("Guardar", function () {
      save(box);
    }));
    actions.appendChild(button("Copiar para entrada.txt", function () {
      copy(box, told);
    }));
    if (fromFile !== null) {
      actions.appendChild(button("Volver al texto del fichero", function () {
        box.area.value = fromFile;
        changed();
      }));
    } else {
      actions.appendChild(button("Quitar", function () {
        boxes.splice(boxes.indexOf(box), 1);
        box.root.parentNode.removeChild(box.root);
        changed();
        addButton.focus();
      }));
    }
    actions.appendChild(told);
    list.appendChild(box.root);
    boxes.push(box);
    return nameField || box.area;
  }

  var editor = element("section", "escribir");
  editor.id = "escribir";
  editor.setAttribute("aria-labelledby", "escribir-titulo");
  var title = editor.appendChild(element("h2", "", "Escenarios escritos aquí"));
  title.id = "escribir-titulo";
  editor.appendChild(element("p", "nota", "Cada línea como las de entrada.txt añade un " +
    "movimiento; un - y una línea de entrada.txt la quitan del plan. El gráfico, la " +
    "comparación y las tablas siguen lo que escribe, y este navegador lo guarda para esta " +
    "página. «Guardar» lo descarga como fichero para la carpeta escenarios."));
  var list = editor.appendChild(element("div", "escenarios-escritos"));
  var adding = editor.appendChild(element("p", "acciones"));
  var notice = element("span", "aviso");
  notice.setAttribute("aria-live", "polite");
  var addButton = button("Nuevo escenario", function () {
    if (boxes.length >= MOST) {
      notice.textContent = "Ya hay seis escenarios, los más que se comparan con el plan: " +
        "quite uno para escribir otro.";
      return;
    }
    var name = "";
    for (var k = 1; name === "" || nameFault(name, null) !== ""; k++) {
      name = "nuevo" + (k > 1 ? " " + k : "");
    }
    addBox(name, "", null).focus();
    changed();
  });
  adding.appendChild(addButton);
  adding.appendChild(notice);
  tablesBox.parentNode.insertBefore(editor, tablesBox);

  var cushionLine = document.querySelector(".campo-colchon");
  if (cushionLine) {
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

  var stored = kept();
  var differs = false;
  (sources.escenarios || []).forEach(function (scenario) {
    var name = fromBytes(scenario.nombre);
    name = name.slice(-ENDING.length).toLowerCase() === ENDING ?
      name.slice(0, -ENDING.length) : name;
    var text = fromBytes(scenario.texto).replace(/\r\n?/g, "\n");
    var mine = stored.filter(function (s) {
      return s.fichero && s.nombre === name;
    })[0];
    differs = differs || (mine !== undefined && mine.texto !== text);
    addBox(name, mine ? String(mine.texto) : text, text, fromBytes(scenario.nombre));
  });
  stored.forEach(function (s) {
    if (!s.fichero && boxes.length < MOST) {
      addBox(String(s.nombre), String(s.texto), null);
      differs = true;
    }
  });
  if (differs || todayBalance !== null || controls.scaling()) {
    changed();
  }
})(balvixEngine, balvixTables, balvixFormat, balvixControls);
