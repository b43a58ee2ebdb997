#pragma once

#include <string>

namespace balvix {

// Removes the entry at `path` (a full path in its long form) as
// Platform::removeFile tells: a file, even read-only, hidden or a system
// file, or a link itself, never what it points to; never a directory nor a
// file with other names. A file another program holds open is waited for a
// moment, then left exactly as it was. True when nothing of that path is
// left.
bool removeEntry(const std::wstring& path);

} // namespace balvix
