// The rule of a new scenario's name typed in the page, whose file will be
// escenarios/NAME.txt: a name Windows and Linux both hold, in
// Windows-1252, as src/input/scenario_name.h writes it (the two pass one
// table of names, tests/input/scenario_names.txt), and not the name of
// another box. Used by the editor as balvixNames; it needs no page.
var balvixNames = (function (typed) {
  "use strict";

  var LONGEST = 60;
  var FORBIDDEN = /[\u0000-\u001f\u007f-\u009f/\\:*?"<>|]/;
  var DEVICE = /^(con|prn|aux|nul|com[1-9\u00b9\u00b2\u00b3]|lpt[1-9\u00b9\u00b2\u00b3]) *(\.|$)/i;

  // Why `name` cannot name a new scenario file, or "".
  function nameFault(name) {
    if (name === "") {
      return "Escriba un nombre para el escenario.";
    }
    var beyond = typed.beyond(name);
    if (beyond !== "") {
      return "El nombre lleva «" + beyond + "», que no es de Windows-1252: quítelo o cámbielo.";
    }
    if (FORBIDDEN.test(name)) {
      return "El nombre no puede llevar / \\ : * ? \" < > | ni caracteres de control.";
    }
    if (name.charAt(0) === ".") {
      return "El nombre no puede empezar por un punto: el fichero quedaría oculto.";
    }
    if (/[. ]$/.test(name)) {
      return "El nombre no puede terminar en un punto ni en un espacio: Windows los quita.";
    }
    if (DEVICE.test(name)) {
      return "Windows guarda ese nombre para un dispositivo (CON, PRN, AUX, NUL, COM1 a COM9, " +
        "LPT1 a LPT9): elija otro.";
    }
    return name.length > LONGEST ? "El nombre tiene a lo sumo " + LONGEST + " caracteres." : "";
  }

  // Why `name` cannot name a new scenario beside those named `taken`, or "":
  // a name the same as one of them but for letter case is taken.
  function newNameFault(name, taken) {
    var lower = name.toLowerCase();
    return nameFault(name) || (taken.some(function (other) {
      return other.toLowerCase() === lower;
    }) ? "Ya hay un escenario con ese nombre." : "");
  }

  return { nameFault: nameFault, newNameFault: newNameFault };
})(balvixTyped);
