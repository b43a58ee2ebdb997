#pragma once

#include "platform/platform.h"

#include <memory>
#include <string>

#include <windows.h>

namespace balvix {

// The lock of a folder on Windows: a mutex named after the folder's identity,
// its volume and its whole file number, which every path to it shares (in
// any letter case, by a short name, through a mapped drive or a junction) and
// which stays the same whatever happens to the entries in it, or to its own
// name.

// The name of the mutex of the folder open as `folder`; empty when it is not
// a folder.
std::wstring lockNameOf(HANDLE folder);

// The name of the mutex that locks the folder `directory` (a full path),
// the same for every path to it and different for every other folder; empty
// when the folder cannot be opened.
std::wstring folderLockName(const std::wstring& directory);

// Owns the mutex `name` (as lockNameOf gives it) until the object goes,
// waiting while another process owns it; one that ended without releasing it
// (killed) leaves it abandoned, and it is taken all the same. Nothing when
// the mutex cannot be made or waited for.
std::unique_ptr<FolderLock> lockByName(const std::wstring& name);

} // namespace balvix
