// What the browser keeps of the scenarios typed in a page (its
// localStorage, under a key of the page's own): each box's name and text,
// whether it is a file's, and the file's text it was typed over. Used by
// page_editor.js as balvixKept; keptScenarios needs no page.
var balvixKept = (function () {
  "use strict";

  // The scenarios kept by the editor in `stored` (the browser's text, or
  // null): a list of {nombre, texto, fichero, desde}, [] for none, or null
  // when it is anything else the editor did not write.
  function keptScenarios(stored) {
    var list;
    try {
      list = JSON.parse(stored === null ? "[]" : stored);
    } catch (e) {
      return null;
    }
    var valid = Array.isArray(list) && list.every(function (s) {
      return s !== null && typeof s === "object" && !Array.isArray(s) &&
        typeof s.nombre === "string" && typeof s.texto === "string" &&
        typeof s.fichero === "boolean" && (s.desde === undefined || typeof s.desde === "string");
    });
    return valid ? list : null;
  }

  // Keeps under `key` the boxes' scenarios ({name, area, fromFile (its
  // file's text, or null), typedOver}).
  function keep(key, boxes) {
    var kept = boxes.map(function (box) {
      // A text typed over an older file stays kept until one of the two is picked.
      return box.typedOver ? box.typedOver : { nombre: box.name, texto: box.area.value,
        fichero: box.fromFile !== null, desde: box.fromFile === null ? undefined : box.fromFile };
    });
    try {
      window.localStorage.setItem(key, JSON.stringify(kept));
    } catch (e) {
      // A browser that keeps nothing for the page: what is typed lasts until it closes.
    }
  }

  // What the browser keeps under `key`; anything the editor did not write
  // is removed.
  function kept(key) {
    try {
      var list = keptScenarios(window.localStorage.getItem(key));
      if (list === null) {
        window.localStorage.removeItem(key);
      }
      return list || [];
    } catch (e) {
      return [];
    }
  }

  return { keptScenarios: keptScenarios, keep: keep, kept: kept };
})();
