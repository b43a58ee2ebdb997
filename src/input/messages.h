#pragma once

#include <string_view>

namespace balvix {

// The texts the program shows in its message boxes, as Windows-1252 bytes with
// CR LF between lines.

// How to start the program, shown for any argument it does not accept.
inline constexpr std::string_view usageText =
    "Este programa es para balvixizar tu econom\xED"
    "a con exactitud\r\n"
    "siempre que tu seas exacto\r\n"
    "Modo de usarlo ...\r\n"
    "balvix [d\xED"
    "a de fecha]/[intervalo]/[cifra]\r\n"
    "[d\xED"
    "a de fecha] = dd/mm/aaaa\r\n"
    "[intervalo] = int\r\n"
    "[cifra] = saldo >= cifra escrita sin formato\r\n"
    "Ejemplo : \r\n"
    "\"balvix 12/09/2013\" esto es balvix hasta un d\xED"
    "a concreto dentro del intervalo "
    "especificado en el fichero config.txt\r\n"
    "\"balvix int\" esto es balvix todo el intervalo especificado en el fichero config.txt\r\n"
    "\"balvix 45000.90\" esto es balvix hasta que la cifra saldo sea mayor o igual a 45000.90 \r\n"
    "o bien todo el intervalo especificado en el fichero config.txt, si no alcanza a esa cifra "
    "\r\n"
    "\r\n"
    "Eso es todo , que te sea de provecho este programa ...";

// How to start the chart program, shown for any argument it does not accept.
inline constexpr std::string_view chartUsageText =
    "Este programa dibuja tu econom\xED"
    "a en un gr\xE1"
    "fico\r\n"
    "Modo de usarlo ...\r\n"
    "balvix-grafico [d\xED"
    "a de fecha]/[intervalo]/[cifra]\r\n"
    "[d\xED"
    "a de fecha] = dd/mm/aaaa\r\n"
    "[intervalo] = int, o nada\r\n"
    "[cifra] = saldo >= cifra escrita sin formato\r\n"
    "Ejemplo : \r\n"
    "\"balvix-grafico\" esto es el gr\xE1"
    "fico de todo el intervalo especificado en el fichero config.txt\r\n"
    "\"balvix-grafico 12/09/2013\" esto es el gr\xE1"
    "fico hasta un d\xED"
    "a concreto dentro del intervalo\r\n"
    "\"balvix-grafico 45000.90\" esto es el gr\xE1"
    "fico hasta que la cifra saldo sea mayor o igual a 45000.90\r\n"
    "\r\n"
    "El gr\xE1"
    "fico se escribe junto al programa con el nombre del informe terminado en .html "
    "y se abre en el navegador ...";

// Shown when "config.txt" or "entrada.txt" is not next to the program; both
// names are always listed.
inline constexpr std::string_view missingFilesMessage = "No existen ficheros de programa: \r\n"
                                                        "entrada.txt\r\n"
                                                        "config.txt\r\n"
                                                        "consulta ayuda ...";

// Shown before the error log is opened, when the input files do not allow a
// run.
inline constexpr std::string_view inputErrorsMessage = "Errores en ficheros de programa ...";

// Shown instead, and nothing opened, when the input files do not allow a run
// and their faults could not all be written to the error log (an earlier
// start's log could not be removed, or a line of it was lost).
inline constexpr std::string_view logNotWrittenMessage = "Errores en ficheros de programa ...\r\n"
                                                         "No se pudo escribir Errores.txt ...";

// Added to that message, one line for each input file that could not be read
// ("No se pudo leer entrada.txt ..."), so that the user learns which one
// when the log cannot say it.
inline constexpr std::string_view unreadableFileLine = "\r\nNo se pudo leer ";

// Shown before the report (or the chart page) is opened when some line of it
// could not be written, or instead of opening it when an earlier one could not
// be replaced, so that a file with missing lines is not taken as complete.
inline constexpr std::string_view incompleteFileMessage =
    "No se pudo escribir el informe completo ...";

// Shown before the report (or the chart page) is opened when a balance no
// longer fitted in a number: the walk ended on that day, and the report says
// so as its last line (the page in a note above the chart).
inline constexpr std::string_view balanceOverflowMessage =
    "El saldo ya no cabe en un n\xFAmero: el informe termina el d\xED"
    "a en que deja de caber ...";

// Shown when the program runs out of memory, whatever it was doing (input
// files too large for the memory it may take): the input files are left as
// they are, and a report being written is told incomplete.
inline constexpr std::string_view outOfMemoryMessage =
    "No hay memoria suficiente para terminar ...";

// Shown, and nothing touched, when the system cannot tell where the program
// is: its folder is never guessed.
inline constexpr std::string_view folderNotFoundMessage =
    "No se encuentra la carpeta del programa ...";

// Shown, and nothing written, when the program's folder cannot be reserved
// for this start against other starts in it.
inline constexpr std::string_view folderNotReservedMessage =
    "No se pudo reservar la carpeta del programa para esta ejecuci\xF3n ...";

// Shown when the date of the argument is not strictly inside the period.
inline constexpr std::string_view outsidePeriodMessage =
    "La fecha NO esta dentro del intervalo ...";

} // namespace balvix
