#pragma once

#include <string>

namespace balvix {

// The program directory of the Windows platform: found from the running
// executable, and named by paths of any length.

// The full path of the running executable, as the system tells it; empty
// when it cannot (a path longer than the system's longest).
std::wstring modulePath();

// A path the file functions accept whatever its length: from the classic
// limit on, a drive or network path takes its long form ("\\?\" or
// "\\?\UNC\"); a shorter one, or one in that form already, stays as it is.
std::wstring longForm(std::wstring path);

} // namespace balvix
