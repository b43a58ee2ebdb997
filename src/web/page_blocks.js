// balvixBlocks, the blocks of data the page carries, each parsed once for
// every script: data, the page's data (element "datos"), and sources, the
// inputs it was walked from (element "entradas"); null where the page has
// none.
var balvixBlocks = (function () {
  "use strict";

  function parsed(id) {
    var element = document.getElementById(id);
    return element ? JSON.parse(element.textContent) : null;
  }

  return { data: parsed("datos"), sources: parsed("entradas") };
})();
