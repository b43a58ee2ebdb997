// The boxes of the scenarios typed in a balvix-grafico page: for each, the
// field of its name (a scenario typed here), its text, the list of its
// faults and its actions ("Guardar", "Copiar para entrada.txt", and
// "Volver al texto del fichero" or "Quitar"). Used by page_editor.js as
// balvixBoxes.
var balvixBoxes = (function (typed, files, element) {
  "use strict";

  var LONGEST = 100000; // characters of a scenario typed here
  var counter = 0;

  function button(text, onClick) {
    var b = element("button", "", text);
    b.type = "button";
    b.addEventListener("click", onClick);
    return b;
  }

  // The scenario's file name: its file's, or its name and ".txt".
  function fileName(box) {
    return box.file || box.name + files.fin;
  }

  // Shows `lines` as the box's faults.
  function showFaults(box, lines) {
    box.faults.textContent = "";
    lines.forEach(function (line) {
      box.faults.appendChild(element("li", "", line));
    });
    box.area.setAttribute("aria-invalid", lines.length > 0 ? "true" : "false");
  }

  // Downloads the scenario's file; refused while the text holds a character
  // such a file cannot hold, which `told` names.
  function save(box, told) {
    var beyond = typed.beyond(box.area.value);
    if (beyond !== "") {
      told.textContent = "No se guarda: «" + beyond + "» (U+" + beyond.codePointAt(0)
        .toString(16).toUpperCase().padStart(4, "0") + ") no cabe en un fichero de escenario " +
        "(Windows-1252). Quítelo o cámbielo y vuelva a guardar.";
      return;
    }
    told.textContent = "";
    var link = element("a");
    link.download = fileName(box);
    var binary = "";
    typed.fileBytes(box.area.value).forEach(function (byte) {
      binary += String.fromCharCode(byte);
    });
    link.href = "data:text/plain;charset=windows-1252;base64," + btoa(binary);
    document.body.appendChild(link);
    link.click();
    document.body.removeChild(link);
  }

  // Copies the lines the scenario adds, for entrada.txt; nothing while it
  // has faults.
  function copy(box, told) {
    if (box.faults.childElementCount > 0) {
      told.textContent = "El escenario tiene fallos: corríjalos para copiar sus líneas.";
      return;
    }
    var text = typed.addedLines(box.area.value);
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

  // The line of the name of a scenario typed here, at the top of the box;
  // `named()` is told of every key in it.
  function addNameField(box, id, named) {
    var nameLine = box.root.appendChild(element("p"));
    var nameLabel = nameLine.appendChild(element("label", "", "Nombre del escenario "));
    nameLabel.htmlFor = id + "-nombre";
    var nameField = nameLine.appendChild(element("input"));
    nameField.id = id + "-nombre";
    nameField.type = "text";
    nameField.autocomplete = "off";
    nameField.value = box.name;
    var nameNote = nameLine.appendChild(element("span", "fallo-nombre"));
    nameNote.id = id + "-nombre-fallo";
    nameNote.setAttribute("aria-live", "polite");
    nameField.setAttribute("aria-describedby", nameNote.id);
    nameField.addEventListener("input", function () {
      box.name = nameField.value.trim();
      named();
    });
    box.nameField = nameField;
    box.nameNote = nameNote;
  }

  // The box's text, and the list of its faults; `changed()` is told of every
  // key. A text too long to walk here is refused before the browser lays it
  // out, and `told` says so.
  function addText(box, id, text, changed, told) {
    var label = box.root.appendChild(element("label", "",
      box.fromFile === null ? "Líneas del escenario" : "Escenario " + box.name + " (" +
        files.carpeta + "/" + box.name + files.fin + ")"));
    label.htmlFor = id;
    box.area = box.root.appendChild(element("textarea"));
    box.area.id = id;
    box.area.rows = Math.min(8, Math.max(3, typed.splitLines(text).length + 1));
    box.area.spellcheck = false;
    box.area.autocapitalize = "off";
    box.area.value = text;
    box.faults = box.root.appendChild(element("ul", "fallos"));
    box.faults.id = id + "-fallos";
    box.faults.setAttribute("aria-live", "polite");
    box.area.setAttribute("aria-describedby", box.faults.id);
    box.area.addEventListener("input", changed);
    box.area.maxLength = LONGEST;
    box.area.addEventListener("paste", function (event) {
      var area = box.area;
      var pasted = event.clipboardData ? event.clipboardData.getData("text/plain") : "";
      if (area.value.length - (area.selectionEnd - area.selectionStart) + pasted.length > LONGEST) {
        event.preventDefault();
        told.textContent = "No se pega: un escenario escrito aquí tiene a lo sumo 100.000 " +
          "caracteres. Guárdelo en la carpeta " + files.carpeta +
          " y vuelva a abrir balvix-grafico.";
      }
    });
  }

  // The box's buttons and `told`, where they say what they did.
  function addActions(box, told, on) {
    var actions = box.root.appendChild(element("p", "acciones"));
    actions.appendChild(button("Guardar", function () {
      save(box, told);
    }));
    actions.appendChild(button("Copiar para entrada.txt", function () {
      copy(box, told);
    }));
    if (box.fromFile !== null) {
      actions.appendChild(button("Volver al texto del fichero", function () {
        box.area.value = box.fromFile;
        on.changed();
      }));
    } else {
      actions.appendChild(button("Quitar", function () {
        box.root.parentNode.removeChild(box.root);
        on.removed(box);
      }));
    }
    actions.appendChild(told);
  }

  // A box at the end of `list` for the scenario `name` whose text is
  // `text`: {name, fromFile, file, nameFault, root, area, faults,
  // focusable, and for one typed here nameField and nameNote}. `fromFile`,
  // the text of its file (null for one typed here); `file`, its file's name.
  // `on`: named(box) after a key in its name, changed() after one in its
  // text, removed(box) once it is taken away.
  function addBox(list, name, text, fromFile, file, on) {
    var id = "escenario-" + (++counter);
    var box = { name: name, fromFile: fromFile, nameFault: "", file: file };
    box.root = element("div", "escenario-escrito");
    if (fromFile === null) {
      addNameField(box, id, function () {
        on.named(box);
      });
    }
    var told = element("span", "nota");
    told.setAttribute("aria-live", "polite");
    addText(box, id, text, on.changed, told);
    addActions(box, told, on);
    list.appendChild(box.root);
    box.focusable = box.nameField || box.area;
    return box;
  }

  return { LONGEST: LONGEST, button: button, fileName: fileName, showFaults: showFaults,
    addBox: addBox };
})(balvixTyped, balvixBlocks.files, balvixControls.element);
