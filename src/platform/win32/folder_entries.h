#pragma once

#include "platform/folder_listing.h"

#include <optional>
#include <string>

namespace balvix {

// The entries of the folder at `base` (a full path, without a final
// backslash): listed, or unreadable when it cannot be listed to the end. An
// entry is regular when it is neither a directory nor a link (a reparse
// point); its system name is its UTF-16 name, as bytes.
FolderListing listEntries(const std::wstring& base);

// The whole content of the entry of the folder at `base` whose system name
// listEntries gave as `systemName`; nothing when it is no longer a file on
// disk itself (a link is never followed) or cannot be read.
std::optional<std::string> readEntry(const std::wstring& base, const std::string& systemName);

} // namespace balvix
