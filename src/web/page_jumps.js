// The way between the scenarios typed in a balvix-grafico page and its chart
// on a screen too narrow to show them side by side: "Ver el gráfico", held at
// the foot of the screen while the boxes are in view, brings the chart into
// view and puts the focus on "Seguir escribiendo", above the chart, which
// puts it back in the box last typed in, the caret where it was. A wide
// screen keeps the chart beside the boxes and shows neither
// (page_layout.css). Nothing without the boxes.
(function (controls) {
  "use strict";

  var editor = document.getElementById("escribir");
  var zone = document.querySelector(".zona-grafico");
  var chart = zone && zone.querySelector(".grafico");
  if (!editor || !chart) {
    return;
  }
  var last = null; // the box, or its name's field, the caret was last in

  function button(text, onClick) {
    var b = controls.element("button", "", text);
    b.type = "button";
    b.addEventListener("click", onClick);
    return b;
  }

  var back = controls.element("p", "salto");
  back.hidden = true;
  var backButton = back.appendChild(button("Seguir escribiendo", function () {
    var target = last && last.isConnected ? last
      : editor.querySelector("textarea, input, button");
    target.focus();
  }));
  zone.insertBefore(back, chart);

  var toChart = editor.appendChild(controls.element("p", "salto al-pie"));
  toChart.appendChild(button("Ver el gráfico", function () {
    back.hidden = false;
    zone.scrollIntoView({ block: "start" });
    backButton.focus({ preventScroll: true });
  }));

  editor.addEventListener("focusin", function (event) {
    if (/^(TEXTAREA|INPUT)$/.test(event.target.tagName)) {
      last = event.target;
      back.hidden = false;
    }
  });
})(balvixControls);
