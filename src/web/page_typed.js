// A scenario typed in the page, read as balvix reads the same text in a
// scenario file: the bytes the page's engine reads for a typed text, the
// faults of the characters a Windows-1252 file cannot hold, the lines that
// add movements, the count of lines, and a scenario file's bytes and the
// text of a file's bytes. Used by page_engine.js, page_names.js,
// page_boxes.js and page_editor.js as balvixTyped; it needs no page, only
// balvixBlocks.files.
var balvixTyped = (function (files) {
  "use strict";

  // The characters of Windows-1252 from 0x80 to 0x9F, by their byte.
  var HIGH = String.fromCharCode.apply(null, files.windows1252);
  var BEYOND = new RegExp("[^\\u0000-\\u00ff" + HIGH + "]");
  // What may stand before a line's "-": blanks, and the marks that show
  // nothing which the program skips there (byte-order mark, zero-width
  // space, joiners, word joiner).
  var LEAD = /^[ \t\u00a0\ufeff\u200b\u200c\u200d\u2060]*/;
  // "-" and the dashes an editor may put for it.
  var DASHES = "-\u2013\u2014\u2212";
  var FIELDS = ["comentario", "dinero", "acción", "momento", "cuando", "activar periodo"];

  // The bytes the engine reads for a text: a character of Windows-1252 as
  // its byte (the page's own texts hold one character per byte), any other
  // as a file saved as UTF-8 holds it.
  function bytesOf(text) {
    if (!BEYOND.test(text)) {
      var bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) {
        var code = text.charCodeAt(i);
        bytes[i] = code <= 0xff ? code : 0x80 + HIGH.indexOf(text.charAt(i));
      }
      return bytes;
    }
    var encoder = new TextEncoder();
    var parts = [];
    Array.from(text).forEach(function (character) {
      if (BEYOND.test(character)) {
        encoder.encode(character).forEach(function (b) { parts.push(b); });
      } else {
        parts.push(bytesOf(character)[0]);
      }
    });
    return Uint8Array.from(parts);
  }

  // The first character of `text` that a Windows-1252 file cannot hold, or "".
  function beyond(text) {
    var found = BEYOND.exec(text);
    return found ? Array.from(text.slice(found.index))[0] : "";
  }

  // The pieces of a text between its line ends (CR LF, CR or LF), the one
  // after a final line end included: the page's one way of splitting lines.
  function splitLines(text) {
    return text.split(/\r\n|\r|\n/);
  }

  // The text's lines as the program splits a file's: at CR LF, CR or LF,
  // with no line after a final line end; a mark at its very start is the
  // file's, none of its first line.
  function linesOf(text) {
    var lines = splitLines(text.replace(/^\ufeff/, ""));
    if (lines[lines.length - 1] === "") {
      lines.pop();
    }
    return lines;
  }

  function lineCount(text) {
    return linesOf(text).length;
  }

  function isMovement(line) {
    return line !== "" && !/^ *;/.test(line);
  }

  // Where a line meant to take a movement away has its mark, after blanks
  // and marks that show nothing; -1 for a line that is not one.
  function takeAwayMark(line) {
    var at = LEAD.exec(line)[0].length;
    return at < line.length && DASHES.indexOf(line.charAt(at)) >= 0 ? at : -1;
  }

  // The faults of the characters a file cannot hold, as the lines
  // Errores.txt gives (the file's path first), each with the number of its
  // line (a comment's, that of the next movement line). Before a "-", the
  // marks the program skips, and a dash it refuses on its own, are none.
  function characterFaults(text, path) {
    var faults = [];
    var number = 0;
    linesOf(text).forEach(function (line) {
      number += isMovement(line) ? 1 : 0;
      var mark = takeAwayMark(line);
      var from = mark < 0 ? 0 : mark + 1;
      var found = beyond(line.slice(from));
      if (found === "") {
        return;
      }
      var at = from + line.slice(from).indexOf(found);
      var field = Math.min(line.slice(0, at).split("|").length - 1, FIELDS.length - 1);
      faults.push({ line: number + (isMovement(line) ? 0 : 1), text: path + " Línea " +
        (number + (isMovement(line) ? 0 : 1)) + " [" + FIELDS[field] + "] es erroneo, " +
        "carácter que no cabe en el fichero: «" + found + "» (U+" +
        found.codePointAt(0).toString(16).toUpperCase().padStart(4, "0") + ") ..." });
    });
    return faults;
  }

  // The lines Errores.txt would get for the scenario file `path` holding
  // `text`: the engine's `errors` of that file, and those of characters no
  // file can hold, in the order of their lines.
  function faultsOf(errors, path, text) {
    var own = errors.filter(function (line) {
      return line.lastIndexOf(path + " ", 0) === 0;
    }).map(function (line) {
      var number = /^ Línea (\d+) /.exec(line.slice(path.length));
      return { line: number ? +number[1] : 0, text: line };
    }).concat(characterFaults(text, path));
    return own.map(function (fault, k) {
      return [fault.line, k, fault.text];
    }).sort(function (a, b) {
      return a[0] - b[0] || a[1] - b[1];
    }).map(function (fault) {
      return fault[2];
    });
  }

  // The lines of a text that add movements (neither comments nor lines
  // meant to take one away), CR LF between them.
  function addedLines(text) {
    return linesOf(text).filter(function (line) {
      return isMovement(line) && takeAwayMark(line) < 0;
    }).join("\r\n");
  }

  // The bytes of a scenario file holding `text`: Windows-1252, CR LF.
  function fileBytes(text) {
    var lines = splitLines(text);
    var joined = lines.slice(0, lines[lines.length - 1] === "" ? -1 : undefined).join("\r\n");
    return bytesOf(joined === "" ? "" : joined + "\r\n");
  }

  // A text of one character per byte (the page's inputs) as the characters
  // those Windows-1252 bytes are (the engine takes either).
  function fromBytes(text) {
    return text.replace(/[\u0080-\u009f]/g, function (c) {
      return HIGH.charAt(c.charCodeAt(0) - 0x80);
    });
  }

  return { bytesOf: bytesOf, beyond: beyond, splitLines: splitLines, lineCount: lineCount,
    characterFaults: characterFaults, faultsOf: faultsOf, addedLines: addedLines,
    fileBytes: fileBytes, fromBytes: fromBytes };
})(balvixBlocks.files);
