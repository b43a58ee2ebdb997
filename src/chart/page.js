// Draws the chart of a balvix-grafico page from the page's data (the element
// "datos") with uPlot, fills the readout of the day under the cursor and
// offers the data as CSV files. The x axis counts days, so that every date
// from 01/01/0001 to 31/12/9999 has its place; dates are worked out here
// rather than with Date, which would bring in the time zone.
(function () {
  "use strict";

  var inicio = typeof performance !== "undefined" ? performance.now() : 0;
  var lienzo = document.getElementById("grafico-lienzo");
  var fuente = document.getElementById("datos");
  if (!lienzo || !fuente || typeof uPlot === "undefined") {
    return;
  }
  var datos = JSON.parse(fuente.textContent);
  if (!datos.dias || datos.dias.length === 0) {
    return;
  }

  // Days since 01/01/1970 of a day of the Gregorian calendar, and back.
  function diasDesdeFecha(a, m, d) {
    a -= m <= 2 ? 1 : 0;
    var era = Math.floor(a / 400);
    var ae = a - era * 400;
    var dy = Math.floor((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5) + d - 1;
    var de = ae * 365 + Math.floor(ae / 4) - Math.floor(ae / 100) + dy;
    return era * 146097 + de - 719468;
  }

  function fechaDeDias(z) {
    z += 719468;
    var era = Math.floor(z / 146097);
    var de = z - era * 146097;
    var ae = Math.floor((de - Math.floor(de / 1460) + Math.floor(de / 36524) -
      Math.floor(de / 146096)) / 365);
    var da = de - (365 * ae + Math.floor(ae / 4) - Math.floor(ae / 100));
    var mp = Math.floor((5 * da + 2) / 153);
    var d = da - Math.floor((153 * mp + 2) / 5) + 1;
    var m = mp < 10 ? mp + 3 : mp - 9;
    return [ae + era * 400 + (m <= 2 ? 1 : 0), m, d];
  }

  function diasDeIso(iso) {
    var partes = iso.split("-");
    return diasDesdeFecha(+partes[0], +partes[1], +partes[2]);
  }

  function dosCifras(n) {
    return (n < 10 ? "0" : "") + n;
  }

  function cuatroCifras(n) {
    var texto = String(n);
    while (texto.length < 4) {
      texto = "0" + texto;
    }
    return texto;
  }

  var MESES = ["ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"];
  var NOMBRES_MES = ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto",
    "septiembre", "octubre", "noviembre", "diciembre"];
  // 01/01/1970 was a Thursday.
  var SEMANA = ["jueves", "viernes", "sábado", "domingo", "lunes", "martes", "miércoles"];

  // dd/mm/aaaa
  function fecha(x) {
    var f = fechaDeDias(Math.round(x));
    return dosCifras(f[2]) + "/" + dosCifras(f[1]) + "/" + cuatroCifras(f[0]);
  }

  function diaDeLaSemana(x) {
    return SEMANA[((Math.round(x) % 7) + 7) % 7];
  }

  // The hundredths of an amount as text: "123456" for 1234.56, "0" for 0.
  function centesimas(v) {
    var magnitud = Math.abs(v);
    var texto = magnitud < 1e21 ? magnitud.toFixed(2) : BigInt(magnitud).toString() + ".00";
    return texto.replace(".", "").replace(/^0+(?=\d)/, "");
  }

  // Digits with "." between groups of three: the one grouping of the page.
  function agrupar(digitos) {
    return digitos.replace(/\B(?=(\d{3})+(?!\d))/g, ".");
  }

  // An amount's sign ("-", but not for one written as zero), its units and
  // its two decimals, as text.
  function partesDinero(v) {
    var c = centesimas(v);
    while (c.length < 3) {
      c = "0" + c;
    }
    return [v < 0 && /[1-9]/.test(c) ? "-" : "", c.slice(0, -2), c.slice(-2)];
  }

  // An amount as the page writes it: 1.234'50, 0'50, -250'00, 0'00.
  function dinero(v) {
    if (v === null || v === undefined || !isFinite(v)) {
      return "";
    }
    var p = partesDinero(v);
    return p[0] + agrupar(p[1]) + "'" + p[2];
  }

  // An amount for a Spanish spreadsheet: a decimal comma and no grouping.
  function numeroCsv(v) {
    var p = partesDinero(v);
    return p[0] + p[1] + "," + p[2];
  }

  var xs = datos.dias.map(diasDeIso);
  var n = xs.length;
  var porDia = datos.paso === "dia";
  var escalon = uPlot.paths.stepped({ align: 1 });
  var AZUL = "#1f5f99";
  var ROJO = "#c0392b";
  var VERDE = "#1e8449";

  // The balance line: blue above zero, red below it.
  function trazoSaldo(u) {
    var caja = u.bbox;
    if (!caja || !caja.height || !u.scales.y || u.scales.y.min === undefined) {
      return AZUL;
    }
    var y0 = u.valToPos(0, "y", true);
    var f = Math.min(1, Math.max(0, (y0 - caja.top) / caja.height));
    var g = u.ctx.createLinearGradient(0, caja.top, 0, caja.top + caja.height);
    g.addColorStop(0, AZUL);
    g.addColorStop(f, AZUL);
    g.addColorStop(f, ROJO);
    g.addColorStop(1, ROJO);
    return g;
  }

  function valorDinero(u, v) {
    return dinero(v);
  }

  var columnas = [xs, datos.saldos];
  var series = [
    {
      label: porDia ? "Día" : "Hasta el",
      value: function (u, x) {
        return x === null || x === undefined ? "" : fecha(x);
      }
    },
    {
      label: porDia ? "Saldo" : "Saldo al cierre",
      stroke: trazoSaldo,
      width: 2,
      paths: escalon,
      points: { show: false },
      value: valorDinero
    }
  ];
  if (!porDia && datos.minimos) {
    columnas.push(datos.minimos);
    series.push({
      label: "Saldo más bajo",
      stroke: ROJO,
      width: 1,
      paths: escalon,
      points: { show: false },
      value: valorDinero
    });
  }
  if (datos.minimosFuturos) {
    columnas.push(datos.minimosFuturos);
    series.push({
      label: "Mínimo futuro",
      stroke: VERDE,
      width: 1.5,
      dash: [5, 3],
      paths: escalon,
      points: { show: false },
      value: valorDinero
    });
  }

  // Marks of the x axis: days for a short stretch, months by name up to
  // about two years, years beyond; of the steps that fit, the finest, and
  // never fewer than three marks. `clase` says how the marks are labelled.
  var clase = "dia";
  function masFina(pasos, marcasDe, cabe) {
    var marcas = [];
    for (var k = 0; k < pasos.length; k++) {
      marcas = marcasDe(pasos[k]);
      if (marcas.length <= cabe) {
        break;
      }
    }
    return marcas;
  }

  function marcasDias(min, max, cabe) {
    // Steps of a week fall on the 1st, 8th, 15th and 22nd of each month, of
    // two weeks on the 1st and the 15th.
    return masFina([1, 2, 7, 14], function (paso) {
      var marcas = [];
      for (var x = Math.ceil(min); x <= max; x++) {
        var d = fechaDeDias(x)[2];
        if (paso < 7 ? x % paso === 0 : d <= 22 && (d - 1) % paso === 0) {
          marcas.push(x);
        }
      }
      return marcas;
    }, cabe);
  }

  function marcasMeses(min, max, cabe) {
    var f = fechaDeDias(Math.floor(min));
    return masFina([1, 2, 3, 6, 12], function (paso) {
      var marcas = [];
      for (var i = Math.ceil((f[0] * 12 + f[1] - 1) / paso) * paso; ; i += paso) {
        var dia = diasDesdeFecha(Math.floor(i / 12), (i % 12) + 1, 1);
        if (dia > max) {
          break;
        }
        if (dia >= min) {
          marcas.push(dia);
        }
      }
      return marcas;
    }, cabe);
  }

  function marcasAnyos(min, max, cabe) {
    var desde = fechaDeDias(Math.floor(min))[0];
    return masFina([1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000], function (paso) {
      var marcas = [];
      for (var i = Math.ceil(desde / paso) * paso; ; i += paso) {
        var primero = diasDesdeFecha(i, 1, 1);
        if (primero > max) {
          break;
        }
        if (primero >= min) {
          marcas.push(primero);
        }
      }
      return marcas;
    }, cabe);
  }

  function marcasX(u, eje, min, max) {
    var ancho = u.bbox.width / (window.devicePixelRatio || 1);
    var tramo = max - min;
    if (tramo <= 92) {
      clase = "dia";
      return marcasDias(min, max, Math.max(3, Math.floor(ancho / 80)));
    }
    if (tramo <= 800) {
      clase = "mes";
      var meses = marcasMeses(min, max, Math.max(3, Math.floor(ancho / 60)));
      if (meses.length >= 3) {
        return meses;
      }
    }
    clase = "anyo";
    var anyos = marcasAnyos(min, max, Math.max(3, Math.floor(ancho / 50)));
    if (anyos.length >= 3) {
      return anyos;
    }
    clase = "mes";
    return marcasMeses(min, max, Math.max(3, Math.floor(ancho / 60)));
  }

  function textosX(u, marcas) {
    return marcas.map(function (x) {
      var f = fechaDeDias(Math.round(x));
      if (clase === "anyo") {
        return cuatroCifras(f[0]);
      }
      if (clase === "mes") {
        return f[1] === 1 || x === marcas[0] ? MESES[f[1] - 1] + " " + cuatroCifras(f[0])
          : MESES[f[1] - 1];
      }
      return dosCifras(f[2]) + "/" + dosCifras(f[1]);
    });
  }

  function anchoY(u, textos) {
    var largo = 0;
    (textos || []).forEach(function (t) {
      largo = Math.max(largo, t.length);
    });
    return 24 + largo * 7;
  }

  var minimo = datos.minimo;
  var minimoX = minimo ? diasDeIso(minimo.dia) : null;
  var objetivo = typeof datos.objetivo === "number" ? datos.objetivo : null;
  var elegidoX = datos.fechaElegida ? diasDeIso(datos.fechaElegida) : null;

  // A label with a white background, kept inside the plot.
  function rotular(ctx, caja, px, texto, x, y, color) {
    ctx.font = 12 * px + "px system-ui, sans-serif";
    ctx.textAlign = "left";
    ctx.textBaseline = "middle";
    var ancho = ctx.measureText(texto).width;
    var alto = 16 * px;
    var xt = Math.min(Math.max(x, caja.left + 4 * px), caja.left + caja.width - ancho - 8 * px);
    var yt = Math.min(Math.max(y, caja.top + alto / 2 + 2 * px), caja.top + caja.height - alto / 2 - 2 * px);
    ctx.fillStyle = "rgba(255, 255, 255, 0.92)";
    ctx.fillRect(xt - 3 * px, yt - alto / 2, ancho + 6 * px, alto);
    ctx.strokeStyle = color;
    ctx.lineWidth = px;
    ctx.setLineDash([]);
    ctx.strokeRect(xt - 3 * px, yt - alto / 2, ancho + 6 * px, alto);
    ctx.fillStyle = color;
    ctx.fillText(texto, xt, yt);
  }

  // The zero line, the target, the chosen day and the lowest point, drawn
  // over the series.
  function dibujar(u) {
    var ctx = u.ctx;
    var px = window.devicePixelRatio || 1;
    var caja = u.bbox;
    ctx.save();
    ctx.beginPath();
    ctx.rect(caja.left, caja.top, caja.width, caja.height);
    ctx.clip();
    function horizontal(valor, color, raya) {
      var y = Math.round(u.valToPos(valor, "y", true)) + 0.5;
      ctx.beginPath();
      ctx.strokeStyle = color;
      ctx.lineWidth = 1.5 * px;
      ctx.setLineDash([raya * px, 4 * px]);
      ctx.moveTo(caja.left, y);
      ctx.lineTo(caja.left + caja.width, y);
      ctx.stroke();
      return y;
    }
    if (u.scales.y.min <= 0 && u.scales.y.max >= 0) {
      horizontal(0, "#333", 6);
    }
    if (objetivo !== null && u.scales.y.min <= objetivo && u.scales.y.max >= objetivo) {
      var yo = horizontal(objetivo, "#7d3c98", 10);
      rotular(ctx, caja, px, "objetivo " + dinero(objetivo), caja.left + 8 * px, yo - 12 * px, "#7d3c98");
    }
    if (elegidoX !== null && elegidoX >= u.scales.x.min && elegidoX <= u.scales.x.max) {
      var xe = Math.round(u.valToPos(elegidoX, "x", true)) + 0.5;
      ctx.beginPath();
      ctx.strokeStyle = "#7d3c98";
      ctx.lineWidth = 1.5 * px;
      ctx.setLineDash([10 * px, 4 * px]);
      ctx.moveTo(xe, caja.top);
      ctx.lineTo(xe, caja.top + caja.height);
      ctx.stroke();
      var texto = "día elegido " + fecha(elegidoX);
      ctx.font = 12 * px + "px system-ui, sans-serif";
      rotular(ctx, caja, px, texto, xe - ctx.measureText(texto).width - 10 * px, caja.top + 12 * px,
        "#7d3c98");
    }
    if (minimo && minimoX >= u.scales.x.min && minimoX <= u.scales.x.max) {
      var xm = u.valToPos(minimoX, "x", true);
      var ym = u.valToPos(minimo.saldo, "y", true);
      ctx.setLineDash([]);
      ctx.beginPath();
      ctx.fillStyle = ROJO;
      ctx.arc(xm, ym, 5 * px, 0, 2 * Math.PI);
      ctx.fill();
      var rotulo = "mínimo " + dinero(minimo.saldo) + " el " + fecha(minimoX);
      ctx.font = 12 * px + "px system-ui, sans-serif";
      var ancho = ctx.measureText(rotulo).width;
      var debajo = ym + 22 * px <= caja.top + caja.height;
      rotular(ctx, caja, px, rotulo, xm - ancho / 2, debajo ? ym + 16 * px : ym - 16 * px, ROJO);
    }
    ctx.restore();
  }

  // The readout: the day (or point) under the cursor, its balance and what
  // happened on it, every movement of a day. It keeps the last day read when
  // the cursor leaves the chart, as a finger does.
  var lectura = document.getElementById("lectura");
  function leer(u) {
    var i = u.cursor.idx;
    if (!lectura) {
      return;
    }
    if (i === null || i === undefined || i < 0 || i >= n) {
      return;
    }
    var x = xs[i];
    var cabeza = document.createElement("p");
    var fuerte = document.createElement("strong");
    if (porDia) {
      fuerte.textContent = diaDeLaSemana(x) + " " + fecha(x);
      cabeza.appendChild(fuerte);
      cabeza.appendChild(document.createTextNode(": saldo al final del día " + dinero(datos.saldos[i])));
    } else {
      fuerte.textContent = (datos.paso === "semana" ? "semana" : "mes") + " hasta el " +
        diaDeLaSemana(x) + " " + fecha(x);
      cabeza.appendChild(fuerte);
      cabeza.appendChild(document.createTextNode(": saldo al cierre " + dinero(datos.saldos[i]) +
        ", el más bajo " + dinero(datos.minimos[i]) + "; puesto " + dinero(datos.puesto[i]) +
        ", quitado " + dinero(datos.quitado[i])));
    }
    var partes = [cabeza];
    if (porDia && datos.movimientosDia) {
      var movimientos = datos.movimientosDia[i];
      if (movimientos.length === 0) {
        var nada = document.createElement("p");
        nada.textContent = "Ningún movimiento este día.";
        partes.push(nada);
      } else {
        var lista = document.createElement("ul");
        movimientos.forEach(function (k) {
          var apunte = datos.apuntes[k];
          var li = document.createElement("li");
          li.textContent = apunte[0] + ": " + apunte[1] + " " + apunte[2];
          lista.appendChild(li);
        });
        partes.push(lista);
      }
    }
    lectura.textContent = "";
    partes.forEach(function (p) {
      lectura.appendChild(p);
    });
  }

  // Zooming fits the vertical axis to the stretch shown; the whole walk
  // keeps zero (and the target) in sight.
  // The stretch of days shown, as the x scale is worked out (before the y
  // scale, whose range depends on it).
  var vistaX = [xs[0], xs[n - 1]];
  function rangoX(u, min, max) {
    if (min === null || max === null || !(min < max)) {
      // One day alone stands between the day before and the day after.
      min = min === null || max === null ? xs[0] - 1 : Math.min(min, max) - 1;
      max = min + 2;
    }
    vistaX = [min, max];
    return [min, max];
  }

  function ampliado() {
    return vistaX[0] > xs[0] || vistaX[1] < xs[n - 1];
  }

  function rangoY(u, min, max) {
    if (min === null || max === null) {
      return [0, 1];
    }
    if (!ampliado()) {
      min = Math.min(min, 0);
      max = Math.max(max, 0);
      if (objetivo !== null) {
        max = Math.max(max, objetivo);
      }
    }
    if (min === max) {
      var holgura = Math.max(1, Math.abs(min) * 0.05);
      return [min - holgura, max + holgura];
    }
    return uPlot.rangeNum(min, max, 0.05, true);
  }

  function medida() {
    var ancho = Math.max(lienzo.clientWidth, 280);
    return { width: ancho, height: ancho < 500 ? 300 : 420 };
  }

  var dibujado = false;
  var opciones = {
    width: medida().width,
    height: medida().height,
    series: series,
    scales: {
      x: { time: false, range: rangoX },
      y: { range: rangoY }
    },
    axes: [
      { splits: marcasX, values: textosX, space: 40 },
      {
        values: function (u, marcas) {
          return marcas.map(dinero);
        },
        size: anchoY
      }
    ],
    cursor: { drag: { x: true, y: false } },
    hooks: {
      draw: [
        dibujar,
        function () {
          if (!dibujado) {
            dibujado = true;
            // Milliseconds from the page's start, and of this script alone.
            var ahora = typeof performance !== "undefined" ? performance.now() : 0;
            window.balvixDibujadoEn = ahora;
            window.balvixDibujoMs = ahora - inicio;
          }
        }
      ],
      setCursor: [leer],
      setSeries: [
        // The balance line is never hidden: without it the chart says nothing.
        function (u, i) {
          if (i === 1 && !u.series[1].show) {
            u.setSeries(1, { show: true });
          }
        }
      ]
    }
  };

  var grafico = new uPlot(opciones, columnas, lienzo);
  window.balvixGrafico = grafico;
  if (n === 1) {
    // uPlot widens the scale of a single point far beyond it.
    grafico.setScale("x", { min: xs[0] - 1, max: xs[0] + 1 });
  }
  window.addEventListener("resize", function () {
    grafico.setSize(medida());
  });

  // Touch: a tap or a slide shows the day under the finger; two buttons zoom.
  var capa = grafico.over;
  function tocar(e) {
    if (!e.touches || e.touches.length !== 1) {
      return;
    }
    var caja = capa.getBoundingClientRect();
    var t = e.touches[0];
    grafico.setCursor({ left: t.clientX - caja.left, top: t.clientY - caja.top });
  }
  capa.addEventListener("touchstart", tocar, { passive: true });
  capa.addEventListener("touchmove", tocar, { passive: true });

  function ampliar(factor) {
    var x = grafico.scales.x;
    var centro = grafico.cursor.idx !== null && grafico.cursor.idx !== undefined
      ? xs[grafico.cursor.idx] : (x.min + x.max) / 2;
    var mitad = Math.max(2, ((x.max - x.min) * factor) / 2);
    var desde = Math.max(xs[0], centro - mitad);
    var hasta = Math.min(xs[n - 1], desde + 2 * mitad);
    desde = Math.max(xs[0], hasta - 2 * mitad);
    grafico.setScale("x", { min: desde, max: hasta });
  }
  var botones = document.createElement("p");
  botones.className = "botones";
  [["Ampliar", function () { ampliar(0.5); }], ["Reducir", function () { ampliar(2); }],
    ["Ver entero", function () { grafico.setScale("x", { min: xs[0], max: xs[n - 1] }); }]]
    .forEach(function (b) {
      var boton = document.createElement("button");
      boton.type = "button";
      boton.textContent = b[0];
      boton.addEventListener("click", b[1]);
      botones.appendChild(boton);
    });
  lienzo.parentNode.insertBefore(botones, lienzo.nextSibling);

  // The chart fits the paper when the page is printed, and every year of
  // the month table is unfolded.
  var plegados = [];
  window.addEventListener("beforeprint", function () {
    grafico.setSize({ width: Math.min(medida().width, 680), height: 360 });
    plegados = [].slice.call(document.querySelectorAll("details.anyo:not([open])"));
    plegados.forEach(function (d) {
      d.open = true;
    });
  });
  window.addEventListener("afterprint", function () {
    grafico.setSize(medida());
    plegados.forEach(function (d) {
      d.open = false;
    });
  });

  // The CSV files, built from the data when a link is followed: ";" between
  // fields, a decimal comma, dates dd/mm/aaaa, CR LF, UTF-8 with a BOM.
  function csv(filas) {
    return "\ufeff" + filas.map(function (f) {
      return f.map(function (c) {
        return /[";\r\n]/.test(c) ? '"' + c.replace(/"/g, '""') + '"' : c;
      }).join(";");
    }).join("\r\n") + "\r\n";
  }

  function csvDias() {
    var filas = [[porDia ? "Fecha" : "Hasta el", "Saldo", "Puesto", "Quitado", "Mínimo futuro"]];
    for (var i = 0; i < n; i++) {
      filas.push([fecha(xs[i]), numeroCsv(datos.saldos[i]), numeroCsv(datos.puesto[i]),
        numeroCsv(datos.quitado[i]), numeroCsv(datos.minimosFuturos[i])]);
    }
    return csv(filas);
  }

  function csvMeses() {
    var filas = [["Mes", "Saldo al cierre", "Saldo más bajo", "Día del más bajo", "Puesto",
      "Quitado"]];
    (datos.meses || []).forEach(function (m) {
      var partes = m.mes.split("-");
      filas.push([NOMBRES_MES[+partes[1] - 1] + " " + partes[0], numeroCsv(m.cierre),
        numeroCsv(m.minimo), fecha(diasDeIso(m.diaMinimo)), numeroCsv(m.puesto),
        numeroCsv(m.quitado)]);
    });
    return csv(filas);
  }

  function enlazar(id, contenido) {
    var enlace = document.getElementById(id);
    if (!enlace) {
      return;
    }
    var preparar = function () {
      enlace.href = "data:text/csv;charset=utf-8," + encodeURIComponent(contenido());
    };
    // A link without an address is not followed: it gets one now, and the
    // file's own when it is followed.
    enlace.href = "#";
    enlace.addEventListener("click", preparar);
    enlace.addEventListener("focus", preparar);
    enlace.addEventListener("mouseenter", preparar);
  }
  enlazar("csv-dias", csvDias);
  enlazar("csv-meses", csvMeses);
  var descargas = document.querySelector(".descargas");
  if (descargas) {
    descargas.hidden = false;
  }
  window.balvixCsv = { dias: csvDias, meses: csvMeses };
})();
