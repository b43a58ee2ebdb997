// A scenario file changed since its text was typed in the page (the file
// was edited and the page written again): its box shows the file's text,
// which the chart draws, and offers what was typed over the older one, until
// the user picks either. Used by page_editor.js as balvixChangedFile.
var balvixChangedFile = (function () {
  "use strict";

  // Shows in `box` (its root, area and faults) the text `typedText` typed
  // over an older file; the box is read-only until one text is picked, and
  // `picked(text)` is told which. `element(tag, class, text)` makes an element.
  function offerBoth(box, typedText, element, picked) {
    box.area.readOnly = true;
    var note = element("div", "cambiado");
    note.appendChild(element("p", "aviso", "El fichero ha cambiado desde que se escribió " +
      "aquí. El gráfico sigue el texto del fichero, el del cuadro; lo escrito aquí era:"));
    var typed = note.appendChild(element("textarea"));
    typed.readOnly = true;
    typed.value = typedText;
    typed.rows = 3;
    typed.setAttribute("aria-label", "Lo escrito aquí sobre el fichero anterior");
    var choice = note.appendChild(element("p", "acciones"));
    [["Seguir con el fichero", box.fromFile], ["Recuperar lo escrito aquí", typedText]]
      .forEach(function (option) {
        var button = choice.appendChild(element("button", "", option[0]));
        button.type = "button";
        button.addEventListener("click", function () {
          box.area.readOnly = false;
          box.root.removeChild(note);
          picked(option[1]);
        });
      });
    box.root.insertBefore(note, box.faults);
  }

  return { offerBoth: offerBoth };
})();
