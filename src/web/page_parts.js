// The parts of a balvix-grafico page that the page's engine writes again
// for the scenarios typed in it: the comparison "¿Y si...?" and, in the
// tables (element "tablas"), the choice of whose tables are shown and the
// scenarios' groups around the plan's, which stays. Used by page_editor.js
// as balvixParts.
var balvixParts = (function (tables, element) {
  "use strict";

  // The group of the plan's tables in `tablesBox`; a page without scenarios
  // gets it around its tables.
  function planGroupOf(tablesBox) {
    var planGroup = tablesBox.querySelector(".tablas-linea[data-linea=\"0\"]");
    if (!planGroup) {
      planGroup = element("div", "tablas-linea");
      planGroup.setAttribute("data-linea", "0");
      while (tablesBox.firstChild) {
        planGroup.appendChild(tablesBox.firstChild);
      }
      tablesBox.appendChild(planGroup);
    }
    return planGroup;
  }

  // Puts the parts the engine wrote in `html` in the place of the page's
  // own: the comparison before `editor`, and the tables' choice and groups
  // around `planGroup` in `tablesBox`; the tables are then those of the
  // inputs `walked`.
  function replaceParts(html, walked, editor, tablesBox, planGroup) {
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

  return { planGroupOf: planGroupOf, replaceParts: replaceParts };
})(balvixTables, balvixControls.element);
