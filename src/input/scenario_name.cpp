#include "input/scenario_name.h"

#include "text/cp1252.h"

#include <array>

namespace balvix {

namespace {

// A character of Windows-1252 that a file's name may not hold: the control
// characters (the bytes Windows-1252 leaves undefined stand for some) and
// those the systems keep for paths and patterns.
bool forbiddenInName(char c) {
  const char32_t character = characterOf1252(static_cast<unsigned char>(c));
  return character < 0x20 || (character >= 0x7F && character <= 0x9F) ||
         std::string_view(R"(/\:*?"<>|)").find(c) != std::string_view::npos;
}

// True when the name, up to its first ".", less the blanks at its end, is a
// device's: Windows opens the device for any such file.
bool isDeviceName(std::string_view name) {
  std::string stem = lowerCase1252(name.substr(0, name.find('.')));
  stem.erase(stem.find_last_not_of(' ') + 1);
  static constexpr std::array<std::string_view, 4> plain = {"con", "prn", "aux", "nul"};
  for (std::string_view device : plain) {
    if (stem == device) {
      return true;
    }
  }
  // COM1 to COM9 and LPT1 to LPT9, and with the superscripts ¹ ² ³.
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
         ((stem[3] >= '1' && stem[3] <= '9') ||
          std::string_view("\xB9\xB2\xB3").find(stem[3]) != std::string_view::npos);
}

} // namespace

std::string scenarioNameFault(std::string_view cp1252Name) {
  const std::string_view name = cp1252Name;
  if (name.empty()) {
    return "Escriba un nombre para el escenario.";
  }
  for (char c : name) {
    if (forbiddenInName(c)) {
      return "El nombre no puede llevar / \\ : * ? \" < > | ni caracteres de control.";
    }
  }
  if (name.front() == '.') {
    return "El nombre no puede empezar por un punto: el fichero quedar\xC3\xAD"
           "a oculto.";
  }
  if (name.back() == '.' || name.back() == ' ') {
    return "El nombre no puede terminar en un punto ni en un espacio: Windows los quita.";
  }
  if (isDeviceName(name)) {
    return "Windows guarda ese nombre para un dispositivo (CON, PRN, AUX, NUL, COM1 a COM9, "
           "LPT1 a LPT9): elija otro.";
  }
  if (name.size() > longestScenarioName) {
    return "El nombre tiene a lo sumo " + std::to_string(longestScenarioName) + " caracteres.";
  }
  return {};
}

std::string typedScenarioNameFault(std::string_view utf8Name) {
  for (std::size_t at = 0; at < utf8Name.size();) {
    std::size_t end = at + 1;
    while (end < utf8Name.size() && (static_cast<unsigned char>(utf8Name[end]) & 0xC0) == 0x80) {
      ++end;
    }
    const std::string_view character = utf8Name.substr(at, end - at);
    // The control characters U+0080 to U+009F are the name's fault as such.
    const bool control = character.size() == 2 && character[0] == '\xC2' &&
                         static_cast<unsigned char>(character[1]) < 0xA0;
    if (!control && utf8From1252(cp1252FromUtf8(character)) != character) {
      return "El nombre lleva \xC2\xAB" + std::string(character) +
             "\xC2\xBB, que no es de Windows-1252: qu\xC3\xADtelo o c\xC3\xA1mbielo.";
    }
    at = end;
  }
  // (A control character U+0080 to U+009F becomes "?", refused as it is.)
  return scenarioNameFault(cp1252FromUtf8(utf8Name));
}

} // namespace balvix
