#include "fake/fake_platform.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <new>
#include <sstream>
#include <utility>

namespace balvix::testing {

namespace fs = std::filesystem;

FakePlatform::FakePlatform() {
  static std::atomic<unsigned> serial{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (;;) {
    dir_ = fs::temp_directory_path() /
           ("balvix-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    std::error_code ec;
    if (fs::create_directory(dir_, ec)) {
      break;
    }
  }
}

FakePlatform::~FakePlatform() {
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(dir_, ec)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(dir_, ec);
}

fs::path FakePlatform::pathOf(std::string_view name) const {
  return dir_ / fs::path(std::string(name));
}

namespace {

class FakeAppendFile : public AppendFile {
public:
  FakeAppendFile(FakePlatform& platform, std::string name)
      : platform_(platform), name_(std::move(name)),
        out_(platform.pathOf(name_), std::ios::binary | std::ios::app) {}

  bool good() const { return out_.good(); }

  bool write(std::string_view bytes) override {
    if (!out_.is_open()) {
      return false;
    }
    if (!memoryRanOut_ && platform_.memoryRunsOut && platform_.memoryRunsOut(name_)) {
      memoryRanOut_ = true;
      throw std::bad_alloc();
    }
    if (!platform_.writeAllowed(name_, bytes.size())) {
      return false;
    }
    out_ << bytes;
    out_.flush();
    return out_.good();
  }

  bool close() override {
    out_.close();
    return out_.good() && !platform_.closeFails;
  }

private:
  FakePlatform& platform_;
  std::string name_;
  std::ofstream out_;
  bool memoryRanOut_ = false;
};

class FakeFolderLock : public FolderLock {
public:
  explicit FakeFolderLock(FakePlatform& platform) : platform_(platform) {
    ++platform_.locksTaken;
    platform_.locked = true;
  }
  ~FakeFolderLock() override { platform_.locked = false; }
  FakeFolderLock(const FakeFolderLock&) = delete;
  FakeFolderLock& operator=(const FakeFolderLock&) = delete;

private:
  FakePlatform& platform_;
};

} // namespace

void FakePlatform::showMessage(std::string_view text) {
  toldWhileLocked += locked ? 1 : 0;
  messages.emplace_back(text);
}

void FakePlatform::openDocument(std::string_view name) {
  toldWhileLocked += locked ? 1 : 0;
  opened.emplace_back(name);
}

void FakePlatform::noteWrite() {
  if (!locked) {
    ++writtenUnlocked;
  }
}

bool FakePlatform::exists(std::string_view name) {
  std::error_code ec;
  return fs::exists(pathOf(name), ec);
}

bool FakePlatform::removeFile(std::string_view name) {
  noteWrite();
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(pathOf(name), ec))) {
    return true;
  }
  // Only files and links are removed, as on the real systems; never a
  // directory or a pipe.
  const fs::file_status status = fs::symlink_status(pathOf(name), ec);
  if (removeFails || readOnlyDirectory ||
      !(fs::is_regular_file(status) || fs::is_symlink(status))) {
    return false;
  }
#ifdef _WIN32
  // Windows removes no read-only file; the platform resets the attribute.
  fs::permissions(pathOf(name), fs::perms::owner_write, fs::perm_options::add, ec);
#endif
  if (!fs::remove(pathOf(name), ec) || ec) {
    return false;
  }
  if (name == appearsAfterRemoval) {
    writeFile(name, "not the program's\r\n");
  }
  return true;
}

std::unique_ptr<AppendFile> FakePlatform::openForAppend(std::string_view name) {
  noteWrite();
  if (name == openRunsOutOfMemory) {
    throw std::bad_alloc();
  }
  // Created here or not at all, as on the real systems.
  std::error_code ec;
  if (fs::exists(fs::symlink_status(pathOf(name), ec)) || readOnlyDirectory) {
    return nullptr;
  }
  auto file = std::make_unique<FakeAppendFile>(*this, std::string(name));
  if (!file->good()) {
    return nullptr;
  }
  return file;
}

bool FakePlatform::writeAllowed(std::string_view name, std::size_t size) {
  std::vector<std::size_t>& sizes = writes[std::string(name)];
  const std::size_t before = sizes.size();
  sizes.push_back(size);
  return !(writeFails && writeFails(name, before));
}

std::unique_ptr<FolderLock> FakePlatform::lockFolder() {
  if (folderMissing || lockRefused) {
    return nullptr;
  }
  return std::make_unique<FakeFolderLock>(*this);
}

std::optional<std::string> FakePlatform::readFile(std::string_view name) {
  if (name == unreadable) {
    return std::nullopt;
  }
  if (name == readRunsOutOfMemory) {
    throw std::bad_alloc();
  }
  return fileBytes(name);
}

FolderListing FakePlatform::listFolder(std::string_view folder) {
  FolderListing found;
  std::error_code ec;
  const fs::path path = pathOf(folder);
  const fs::file_status status = fs::symlink_status(path, ec);
  if (!fs::exists(status)) {
    return found;
  }
  found.state = FolderListing::State::unreadable;
  if (!fs::is_directory(status)) {
    return found;
  }
  found.state = FolderListing::State::listed;
  for (const auto& entry : fs::directory_iterator(path, ec)) {
    std::string name = entry.path().filename().string();
    const bool regular = fs::is_regular_file(fs::symlink_status(entry.path(), ec));
    found.entries.push_back({name, name, regular});
  }
  return found;
}

std::optional<std::string> FakePlatform::readFolderFile(std::string_view folder,
                                                        const FolderEntry& entry) {
  const std::string name = std::string(folder) + "/" + entry.systemName;
  std::error_code ec;
  if (name == unreadable || !fs::is_regular_file(fs::symlink_status(pathOf(name), ec))) {
    return std::nullopt;
  }
  return fileBytes(name);
}

void FakePlatform::writeFile(std::string_view name, std::string_view bytes) {
  std::error_code ec;
  fs::create_directories(pathOf(name).parent_path(), ec);
  std::ofstream out(pathOf(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FakePlatform::makeReadOnly(std::string_view name) const {
  fs::permissions(pathOf(name),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::optional<std::string> FakePlatform::fileBytes(std::string_view name) const {
  std::error_code ec;
  if (!fs::is_regular_file(pathOf(name), ec)) {
    return std::nullopt;
  }
  std::ifstream in(pathOf(name), std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

std::vector<std::string> FakePlatform::listing() const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir_, ec)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace balvix::testing
