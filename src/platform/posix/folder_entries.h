#pragma once

#include "platform/folder_listing.h"

namespace balvix {

// The entries of the open folder `opened`, whose descriptor it takes and
// closes: listed, or unreadable when it cannot be listed to the end. Each
// entry is judged as itself, never by what a link points to; its system name
// is its UTF-8 name.
FolderListing listOpenFolder(int opened);

} // namespace balvix
