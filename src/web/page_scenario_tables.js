// The tables of a balvix-grafico page: marks the current month's rows (from
// the browser's local today) and, on a page with scenarios, shows the choice
// of whose tables are shown (the plan's or a scenario's) and switches them.
// The program writes the plan's tables; a scenario's are written by the
// page's engine the first time they are chosen (a page made without the
// engine holds them all). Used by the page's editor of scenarios as
// balvixTables: wire(sources) after it put new tables (id "tablas") in the
// page, walked from the inputs `sources`; markMonth(root) marks the current
// month's rows in `root`.
var balvixTables = (function (format, engine) {
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

  // A scenario's tables, from the engine: the HTML it writes from the
  // inputs `sources`, with the escaping of every text of them.
  function write(group, sources) {
    var line = group.getAttribute("data-linea");
    if (line === "0" || group.firstChild !== null || !engine.available) {
      return;
    }
    engine.ready.then(function () {
      if (group.firstChild !== null) {
        return;
      }
      var answer = engine.run(Object.assign({}, sources, { solo: "tablas " + line }));
      if (answer.html !== null) {
        group.innerHTML = answer.html;
        markMonth(group);
      }
    }, function () {});
  }

  function wire(sources) {
    var choice = document.getElementById("tablas-de");
    if (!choice) {
      return;
    }
    var groups = document.querySelectorAll(".tablas-linea");
    function show() {
      [].forEach.call(groups, function (group) {
        var shown = group.getAttribute("data-linea") === choice.value;
        if (shown) {
          write(group, sources);
        }
        group.hidden = !shown;
      });
    }
    choice.addEventListener("change", show);
    choice.parentNode.parentNode.hidden = false;
    // A reload may keep a choice made before it.
    show();
  }

  wire(balvixBlocks.sources || {});
  return { wire: wire, markMonth: markMonth };
})(balvixFormat, balvixEngine);
