// The page's rules for writing dates and amounts, the same as the program's:
// days counted from 01/01/1970 (so that every date from 01/01/0001 to
// 31/12/9999 has its number, worked out here rather than with Date, which
// would bring in the time zone), dates dd/mm/aaaa, weekday and month names,
// the browser's today, amounts as the page writes them from the cents of the
// page's data (the program alone rounds them, as the report does), a target
// with every decimal it was given, and numbers for a Spanish spreadsheet. The
// other scripts of the page use it as balvixFormat; tests/page/page_rules.txt
// holds the cases both languages pass.
var balvixFormat = (function () {
  "use strict";

  // Days since 01/01/1970 of a day of the Gregorian calendar, and back.
  function dayNumber(year, month, day) {
    year -= month <= 2 ? 1 : 0;
    var era = Math.floor(year / 400);
    var yearOfEra = year - era * 400;
    var dayOfYear = Math.floor((153 * (month + (month > 2 ? -3 : 9)) + 2) / 5) + day - 1;
    var dayOfEra = yearOfEra * 365 + Math.floor(yearOfEra / 4) - Math.floor(yearOfEra / 100) +
      dayOfYear;
    return era * 146097 + dayOfEra - 719468;
  }

  // [year, month, day] of a day number.
  function dateOfDayNumber(number) {
    number += 719468;
    var era = Math.floor(number / 146097);
    var dayOfEra = number - era * 146097;
    var yearOfEra = Math.floor((dayOfEra - Math.floor(dayOfEra / 1460) +
      Math.floor(dayOfEra / 36524) - Math.floor(dayOfEra / 146096)) / 365);
    var dayOfYear = dayOfEra - (365 * yearOfEra + Math.floor(yearOfEra / 4) -
      Math.floor(yearOfEra / 100));
    var shiftedMonth = Math.floor((5 * dayOfYear + 2) / 153);
    var day = dayOfYear - Math.floor((153 * shiftedMonth + 2) / 5) + 1;
    var month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return [yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day];
  }

  // The day number of an ISO date (aaaa-mm-dd).
  function dayNumberOfIso(iso) {
    var parts = iso.split("-");
    return dayNumber(+parts[0], +parts[1], +parts[2]);
  }

  function twoDigits(n) {
    return (n < 10 ? "0" : "") + n;
  }

  function fourDigits(n) {
    var text = String(n);
    while (text.length < 4) {
      text = "0" + text;
    }
    return text;
  }

  // The ISO date (aaaa-mm-dd) of a year, a month and a day, and of a day
  // number.
  function isoDate(year, month, day) {
    return fourDigits(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
  }

  function isoOfDayNumber(x) {
    var date = dateOfDayNumber(x);
    return isoDate(date[0], date[1], date[2]);
  }

  // The ISO date of the browser's local today: the page's one "today".
  function today() {
    var now = new Date();
    return isoDate(now.getFullYear(), now.getMonth() + 1, now.getDate());
  }

  var MONTH_ABBREVIATIONS = ["ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct",
    "nov", "dic"];
  var MONTH_NAMES = ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto",
    "septiembre", "octubre", "noviembre", "diciembre"];
  // 01/01/1970 was a Thursday.
  var WEEKDAYS = ["jueves", "viernes", "sábado", "domingo", "lunes", "martes", "miércoles"];

  // dd/mm/aaaa of a day number.
  function dateText(x) {
    var date = dateOfDayNumber(Math.round(x));
    return twoDigits(date[2]) + "/" + twoDigits(date[1]) + "/" + fourDigits(date[0]);
  }

  function weekday(x) {
    return WEEKDAYS[((Math.round(x) % 7) + 7) % 7];
  }

  // "marzo 2027" of an ISO month (aaaa-mm), as the month table names it.
  function monthText(isoMonth) {
    var parts = isoMonth.split("-");
    return MONTH_NAMES[+parts[1] - 1] + " " + parts[0];
  }

  // Digits with "." between groups of three: the one grouping of the page.
  function group(digits) {
    return digits.replace(/\B(?=(\d{3})+(?!\d))/g, ".");
  }

  // The whole number of cents of an amount of the page's data. The program
  // writes every amount to the cent, rounded once as the report rounds it
  // ("1234.50"), so the number read back lies on a cent: below 2^51 cents
  // (about 2·10^13) a hundred times it is off its whole number of cents by
  // less than a half, and the nearest whole number is that one; nothing is
  // rounded again. A cushion typed, with at most two decimals, is read the
  // same way.
  function cents(v) {
    return Math.round(v * 100);
  }

  // The sign ("-" below zero), units and two decimals of a whole number of
  // cents, as text; its digits in full also from 10^21 on, where String
  // writes an exponent.
  function centsParts(c) {
    var magnitude = Math.abs(c);
    var digits = magnitude < 1e21 ? String(magnitude) : BigInt(magnitude).toString();
    while (digits.length < 3) {
      digits = "0" + digits;
    }
    return [c < 0 ? "-" : "", digits.slice(0, -2), digits.slice(-2)];
  }

  // The digits of a whole number written in `digits` divided by 10^k,
  // rounded with an exact half to the even number (k may be negative).
  function roundOff(digits, k) {
    if (k <= 0) {
      return digits + "0".repeat(-k);
    }
    var kept = digits.slice(0, -k) || "0";
    var dropped = digits.slice(-k).padStart(k, "0");
    var half = "5".padEnd(k, "0");
    var up = dropped > half || (dropped === half && +kept.slice(-1) % 2 === 1);
    return up ? (BigInt(kept) + BigInt(1)).toString() : kept;
  }

  // The sign, units and two decimals of any finite amount, rounded as the
  // program rounds it: below 2^51 cents through its cents; beyond, as the
  // program does, its first 18 significant digits and then the cent, each an
  // exact half to the even digit, from the number's exact decimal digits
  // (those of a whole number from 2^53 up, and toFixed's below, where they
  // are few).
  function amountParts(v) {
    var magnitude = Math.abs(v);
    if (magnitude * 100 < Math.pow(2, 51)) {
      return centsParts(cents(v));
    }
    var text = Number.isInteger(magnitude) ? BigInt(magnitude).toString() : magnitude.toFixed(20);
    var units = text.split(".")[0].length;
    var digits = text.replace(".", "");
    var judged = roundOff(digits, digits.length - 18);
    var hundredths = roundOff(judged, 16 - units).replace(/^0+/, "");
    return [v < 0 && hundredths !== "" ? "-" : "", hundredths.slice(0, -2),
      hundredths.slice(-2)];
  }

  // A whole number of cents as the page writes an amount: 123450 gives
  // 1.234'50, 50 0'50, -25000 -250'00, 0 0'00.
  function centsAmount(c) {
    var parts = centsParts(c);
    return parts[0] + group(parts[1]) + "'" + parts[2];
  }

  // An amount of the page's data as the page writes it (see centsAmount);
  // "" for no amount.
  function amount(v) {
    if (v === null || v === undefined || !isFinite(v)) {
      return "";
    }
    var parts = amountParts(v);
    return parts[0] + group(parts[1]) + "'" + parts[2];
  }

  // What the program writes for a sum beyond any number (the page's data
  // holds null for it).
  var NO_NUMBER = "no cabe en un número";

  // A sum of the page's data (put in, taken out) as the page writes it.
  function sum(v) {
    return v === null || v === undefined || !isFinite(v) ? NO_NUMBER : amount(v);
  }

  // `a` less `b`, amounts of the page's data, as the page writes it: the
  // difference of what each shows.
  function difference(a, b) {
    var exact = Math.abs(a) * 100 < Math.pow(2, 51) && Math.abs(b) * 100 < Math.pow(2, 51);
    return exact ? centsAmount(cents(a) - cents(b)) : sum(a - b);
  }

  // An amount of the page's data for a Spanish spreadsheet: a decimal comma
  // and no grouping; a sum beyond any number in words.
  function csvNumber(v) {
    if (v === null || v === undefined || !isFinite(v)) {
      return NO_NUMBER;
    }
    var parts = amountParts(v);
    return parts[0] + (parts[1] || "0") + "," + parts[2];
  }

  // The shortest decimal text of a number of at least 0, without exponent.
  function plainDecimal(v) {
    var text = String(v);
    var e = text.indexOf("e");
    if (e < 0) {
      return text;
    }
    var mantissa = text.slice(0, e);
    var digits = mantissa.replace(".", "");
    var point = mantissa.indexOf(".");
    var units = (point < 0 ? mantissa.length : point) + +text.slice(e + 1);
    if (units <= 0) {
      return "0." + "0".repeat(-units) + digits;
    }
    if (units >= digits.length) {
      return digits + "0".repeat(units - digits.length);
    }
    return digits.slice(0, units) + "." + digits.slice(units);
  }

  // A target amount (at least 0) as the key figures write it: every decimal
  // it has and at least two, 2.000'00, 0'801, 45.000'905.
  function exactAmount(v) {
    var parts = plainDecimal(Math.abs(v)).split(".");
    var fraction = parts[1] || "";
    while (fraction.length < 2) {
      fraction += "0";
    }
    return group(parts[0]) + "'" + fraction;
  }

  return {
    dayNumber: dayNumber,
    dateOfDayNumber: dateOfDayNumber,
    dayNumberOfIso: dayNumberOfIso,
    twoDigits: twoDigits,
    fourDigits: fourDigits,
    isoOfDayNumber: isoOfDayNumber,
    today: today,
    MONTH_ABBREVIATIONS: MONTH_ABBREVIATIONS,
    dateText: dateText,
    weekday: weekday,
    monthText: monthText,
    cents: cents,
    centsAmount: centsAmount,
    amount: amount,
    sum: sum,
    difference: difference,
    csvNumber: csvNumber,
    exactAmount: exactAmount
  };
})();
