#pragma once

#include <optional>
#include <string>

namespace balvix {

// The program directory of the POSIX platform: found from the running
// executable and held by a descriptor.

// The full path of the running executable, as the system tells it; nothing
// when it cannot (no /proc, a path too long for it, a program file since
// removed). Never a guess from argv[0] or the working directory.
std::optional<std::string> executablePath();

// Opens the folder of the executable at `path` (as executablePath gives it)
// and checks that it holds the very program that runs (not a folder put at
// that path since); -1 when it cannot. A folder that cannot be listed is
// opened for searching only, where the system has such a handle: its files
// can still be reached through it. The caller closes the descriptor.
int openProgramFolder(const std::string& path);

// The full path of the open folder `folder` where it is now, ending with "/":
// the system names it by its descriptor, and that path must still lead to it
// (not to a folder put in its place); empty when no path leads to it.
std::string currentFolderPath(int folder);

} // namespace balvix
