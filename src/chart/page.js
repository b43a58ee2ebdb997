// Draws the chart of a balvix-grafico page from the page's data (the element
// "datos") with uPlot. The x axis counts days, so that every date from
// 01/01/0001 to 31/12/9999 has its place; dates are worked out here rather
// than with Date, which would bring in the time zone.
(function () {
  "use strict";

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

  // dd/mm/aaaa
  function fecha(x) {
    var f = fechaDeDias(Math.round(x));
    return dosCifras(f[2]) + "/" + dosCifras(f[1]) + "/" + cuatroCifras(f[0]);
  }

  // An amount as the report writes it: 1.234'50, '50, -250'00.
  function dinero(v) {
    if (v === null || v === undefined || !isFinite(v)) {
      return "";
    }
    var magnitud = Math.abs(v);
    var texto = magnitud < 1e21 ? magnitud.toFixed(2) : BigInt(magnitud).toString() + ".00";
    var partes = texto.split(".");
    var enteros = partes[0] === "0" ? "" : partes[0].replace(/\B(?=(\d{3})+(?!\d))/g, ".");
    var resultado = enteros + "'" + partes[1];
    return (v < 0 && resultado !== "'00" ? "-" : "") + resultado;
  }

  var xs = datos.dias.map(diasDeIso);
  var columnas = [xs, datos.saldos];
  var porDia = datos.paso === "dia";
  var series = [
    {
      label: porDia ? "D\u00eda" : "Hasta el",
      value: function (u, x) {
        return x === null || x === undefined ? "" : fecha(x);
      }
    },
    {
      label: porDia ? "Saldo" : "Saldo al cierre",
      stroke: "#1f5f99",
      width: 1.5,
      points: { show: false },
      value: function (u, v) {
        return dinero(v);
      }
    }
  ];
  if (!porDia && datos.minimos) {
    columnas.push(datos.minimos);
    series.push({
      label: "Saldo m\u00e1s bajo",
      stroke: "#c0392b",
      width: 1,
      points: { show: false },
      value: function (u, v) {
        return dinero(v);
      }
    });
  }

  // Marks of the x axis at whole days, months or years, about 90 pixels apart.
  var clase = "dia";
  function marcasX(u, eje, min, max) {
    var ancho = u.bbox.width / (window.devicePixelRatio || 1);
    var porMarca = (max - min) / Math.max(2, Math.floor(ancho / 90));
    var marcas = [];
    var paso;
    var i;
    if (porMarca <= 20) {
      clase = "dia";
      paso = [1, 2, 3, 7, 14, 21].find(function (p) { return p >= porMarca; });
      for (var x = Math.ceil(min / paso) * paso; x <= max; x += paso) {
        marcas.push(x);
      }
    } else if (porMarca <= 200) {
      clase = "mes";
      paso = [1, 2, 3, 6].find(function (p) { return p * 30.4 >= porMarca; }) || 6;
      var f = fechaDeDias(Math.floor(min));
      for (i = Math.ceil((f[0] * 12 + f[1] - 1) / paso) * paso; ; i += paso) {
        var dia = diasDesdeFecha(Math.floor(i / 12), (i % 12) + 1, 1);
        if (dia > max) {
          break;
        }
        if (dia >= min) {
          marcas.push(dia);
        }
      }
    } else {
      clase = "anyo";
      var anyos = porMarca / 365.2425;
      paso = [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000].find(function (p) {
        return p >= anyos;
      }) || 10000;
      var desde = fechaDeDias(Math.floor(min))[0];
      for (i = Math.ceil(desde / paso) * paso; ; i += paso) {
        var primero = diasDesdeFecha(i, 1, 1);
        if (primero > max) {
          break;
        }
        if (primero >= min) {
          marcas.push(primero);
        }
      }
    }
    return marcas;
  }

  function textosX(u, marcas) {
    return marcas.map(function (x) {
      var f = fechaDeDias(Math.round(x));
      if (clase === "anyo") {
        return cuatroCifras(f[0]);
      }
      if (clase === "mes") {
        return dosCifras(f[1]) + "/" + cuatroCifras(f[0]);
      }
      return fecha(x);
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

  // The zero line and the lowest point, drawn over the series.
  function dibujar(u) {
    var ctx = u.ctx;
    var px = window.devicePixelRatio || 1;
    var caja = u.bbox;
    ctx.save();
    ctx.beginPath();
    ctx.rect(caja.left, caja.top, caja.width, caja.height);
    ctx.clip();
    var y0 = Math.round(u.valToPos(0, "y", true)) + 0.5;
    ctx.beginPath();
    ctx.strokeStyle = "#333";
    ctx.lineWidth = 1.5 * px;
    ctx.setLineDash([6 * px, 4 * px]);
    ctx.moveTo(caja.left, y0);
    ctx.lineTo(caja.left + caja.width, y0);
    ctx.stroke();
    if (minimo && minimoX >= u.scales.x.min && minimoX <= u.scales.x.max) {
      var xm = u.valToPos(minimoX, "x", true);
      var ym = u.valToPos(minimo.saldo, "y", true);
      ctx.setLineDash([]);
      ctx.beginPath();
      ctx.fillStyle = "#c0392b";
      ctx.arc(xm, ym, 5 * px, 0, 2 * Math.PI);
      ctx.fill();
      var rotulo = "m\u00ednimo " + dinero(minimo.saldo) + " el " + fecha(minimoX);
      ctx.font = 12 * px + "px system-ui, sans-serif";
      ctx.textAlign = "left";
      ctx.textBaseline = "alphabetic";
      var ancho = ctx.measureText(rotulo).width;
      var xt = Math.min(Math.max(xm - ancho / 2, caja.left + 4 * px), caja.left + caja.width - ancho - 4 * px);
      var yt = ym + 20 * px <= caja.top + caja.height ? ym + 18 * px : ym - 10 * px;
      ctx.fillText(rotulo, xt, yt);
    }
    ctx.restore();
  }

  function medida() {
    return { width: Math.max(lienzo.clientWidth, 320), height: 420 };
  }

  var opciones = {
    width: medida().width,
    height: medida().height,
    series: series,
    scales: {
      x: { time: false },
      y: {
        range: function (u, min, max) {
          return uPlot.rangeNum(Math.min(min, 0), Math.max(max, 0), 0.05, true);
        }
      }
    },
    axes: [
      { splits: marcasX, values: textosX, space: 90 },
      {
        values: function (u, marcas) {
          return marcas.map(dinero);
        },
        size: anchoY
      }
    ],
    cursor: { drag: { x: true, y: false } },
    hooks: { draw: [dibujar] }
  };

  var grafico = new uPlot(opciones, columnas, lienzo);
  window.addEventListener("resize", function () {
    grafico.setSize(medida());
  });
})();
