#pragma once

#include "platform/platform.h"

namespace balvix {

// One start of the program: removes the error log of the previous start,
// classifies the argument, checks and reads "config.txt" and "entrada.txt",
// and either tells the user what is wrong or runs the projection the argument
// asks for. All of that holds the folder lock, so that starts in one folder
// run one after the other; the user is told, and a file opened, only after
// the lock is released. Returns the process exit code, 0 on every path.
int runProgram(Platform& platform);

} // namespace balvix
