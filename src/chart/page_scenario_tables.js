// The tables of a balvix-grafico page: marks the current month's rows (from
// the browser's local today) and, on a page with scenarios, shows the choice
// of whose tables are shown (the plan's or a scenario's) and switches them.
// The program writes the plan's tables; a scenario's are written by the
// page's engine the first time they are chosen (a page made without the
// engine holds them all).
(function (format, engine) {
  "use strict";

  var month = format.today().slice(0, 7);
  function markMonth(root) {
    if (!/^\d{4}-\d{2}$/.test(month)) {
      return;
    }
    [].forEach.call(root.querySelectorAll("tr[data-mes=\"" + month + "\"]"), function (row) {
      row.classList.add("mes-actual");
      row.title = "Este mes";
    });
  }
  markMonth(document);

  var choice = document.getElementById("tablas-de");
  if (!choice) {
    return;
  }

  // A scenario's tables, from the engine: the HTML it writes from the
  // page's own inputs with the escaping of every text of them.
  function write(group) {
    var line = group.getAttribute("data-linea");
    if (line === "0" || group.firstChild !== null || !engine.available) {
      return;
    }
    engine.ready.then(function () {
      if (group.firstChild !== null) {
        return;
      }
      var sources = JSON.parse(document.getElementById("entradas").textContent);
      sources.solo = "tablas " + line;
      var answer = engine.run(sources);
      if (answer.html !== null) {
        group.innerHTML = answer.html;
        markMonth(group);
      }
    }, function () {});
  }

  var groups = document.querySelectorAll(".tablas-linea");
  function show() {
    [].forEach.call(groups, function (group) {
      var shown = group.getAttribute("data-linea") === choice.value;
      if (shown) {
        write(group);
      }
      group.hidden = !shown;
    });
  }
  choice.addEventListener("change", show);
  choice.parentNode.parentNode.hidden = false;
  // A reload may keep a choice made before it.
  show();
})(balvixFormat, balvixEngine);
