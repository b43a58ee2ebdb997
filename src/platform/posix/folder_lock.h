#pragma once

#include "platform/platform.h"

#include <memory>

namespace balvix {

// Takes the exclusive lock of the open folder `folder`, waiting while another
// process holds it, and holds it until the object goes; the descriptor must
// stay open that long. Nothing when the lock cannot be taken (a folder held
// for searching only, on some systems).
std::unique_ptr<FolderLock> lockOpenFolder(int folder);

} // namespace balvix
