// balvixBlocks, the blocks of data the page carries, each parsed once for
// every script: data, the page's data (element "datos"), and sources, the
// inputs it was walked from (element "entradas"), and files, what the
// program's C++ says of its files (element "ficheros": the scenarios'
// folder, their files' ending, the most scenarios walked and the characters
// of Windows-1252's bytes 0x80 to 0x9F); null where the page has none.
var balvixBlocks = (function () {
  "use strict";

  function parsed(id) {
    var element = document.getElementById(id);
    return element ? JSON.parse(element.textContent) : null;
  }

  return { data: parsed("datos"), sources: parsed("entradas"), files: parsed("ficheros") };
})();
