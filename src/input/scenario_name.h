#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace balvix {

// The most characters of a new scenario's name ("coche" of
// "escenarios/coche.txt").
inline constexpr std::size_t longestScenarioName = 60;

// Why `cp1252Name` cannot name a new scenario, whose file will be
// "escenarios/NAME.txt", or an empty text when it can: the name must be one
// that Windows and Linux both hold. It is not empty, not hidden (it does not
// start with "."), holds no character a file's name may not hold
// (/ \ : * ? " < > | and the control characters), does not end in "." or a
// blank (which Windows drops), is no name Windows keeps for a device (CON,
// PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any letter case, with an
// ending or without) and has at most longestScenarioName characters. The
// message is the page's, in UTF-8. (Whether another scenario has the name
// already is the editor's to judge. The scenario files of a folder are read
// whatever their names: see readScenarios.)
std::string scenarioNameFault(std::string_view cp1252Name);

// scenarioNameFault for a name typed as UTF-8, whose characters must all be
// characters of Windows-1252; the first that is not is the fault.
std::string typedScenarioNameFault(std::string_view utf8Name);

} // namespace balvix
