#include "platform/win32/folder_lock.h"

#include "platform/win32/handle.h"
#include "platform/win32/program_folder.h"

#include <cwchar>

namespace balvix {

namespace {

// Owns the folder's mutex until it goes.
class Win32FolderLock : public FolderLock {
public:
  explicit Win32FolderLock(HANDLE mutex) : mutex_(mutex) {}
  ~Win32FolderLock() override { ReleaseMutex(mutex_.get()); }
  Win32FolderLock(const Win32FolderLock&) = delete;
  Win32FolderLock& operator=(const Win32FolderLock&) = delete;

private:
  Handle mutex_;
};

} // namespace

std::wstring lockNameOf(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(folder, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return L"";
  }
  wchar_t name[64];
  swprintf(name, sizeof name / sizeof name[0], L"Local\\balvix-carpeta-%08lx-%08lx%08lx",
           static_cast<unsigned long>(info.dwVolumeSerialNumber),
           static_cast<unsigned long>(info.nFileIndexHigh),
           static_cast<unsigned long>(info.nFileIndexLow));
  return name;
}

std::wstring folderLockName(const std::wstring& directory) {
  Handle folder(CreateFileW(longForm(directory).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return folder.valid() ? lockNameOf(folder.get()) : L"";
}

std::unique_ptr<FolderLock> lockByName(const std::wstring& name) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) {
    return nullptr;
  }
  Handle owned(mutex);
  const DWORD waited = WaitForSingleObject(owned.get(), INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    return nullptr;
  }
  return std::make_unique<Win32FolderLock>(owned.release());
}

} // namespace balvix
