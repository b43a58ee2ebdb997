// The tables of a balvix-grafico page: marks the current month's rows (from
// the browser's date, window.balvixToday when the page has it) and, on a page
// with scenarios, shows the choice of whose tables are shown (the plan's or
// a scenario's) and switches them.
(function () {
  "use strict";

  function localToday() {
    var now = new Date();
    function two(n) {
      return (n < 10 ? "0" : "") + n;
    }
    return String(now.getFullYear()).padStart(4, "0") + "-" + two(now.getMonth() + 1) + "-" +
      two(now.getDate());
  }

  var today = typeof window.balvixToday === "function" ? window.balvixToday() : localToday();
  var month = String(today).slice(0, 7);
  [].forEach.call(document.querySelectorAll("tr[data-mes]"), function (row) {
    if (row.getAttribute("data-mes") === month) {
      row.classList.add("mes-actual");
      row.title = "Este mes";
    }
  });

  var choice = document.getElementById("tablas-de");
  if (!choice) {
    return;
  }
  var groups = document.querySelectorAll(".tablas-linea");
  function show() {
    [].forEach.call(groups, function (group) {
      group.hidden = group.getAttribute("data-linea") !== choice.value;
    });
  }
  choice.addEventListener("change", show);
  choice.parentNode.parentNode.hidden = false;
  // A reload may keep a choice made before it.
  show();
})();
