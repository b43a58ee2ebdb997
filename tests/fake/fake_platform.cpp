#include "fake/fake_platform.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

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

void FakePlatform::showMessage(std::string_view text) {
  messages.emplace_back(text);
}

void FakePlatform::openDocument(std::string_view name) {
  opened.emplace_back(name);
}

bool FakePlatform::exists(std::string_view name) {
  std::error_code ec;
  return fs::exists(pathOf(name), ec);
}

bool FakePlatform::removeFile(std::string_view name) {
  std::error_code ec;
  if (!fs::exists(pathOf(name), ec)) {
    return true;
  }
  // Only files are removed, as on the real systems; never a directory.
  if (removeFails || readOnlyDirectory || fs::is_directory(pathOf(name), ec)) {
    return false;
  }
  fs::permissions(pathOf(name), fs::perms::owner_write, fs::perm_options::add, ec);
  return fs::remove(pathOf(name), ec) && !ec;
}

bool FakePlatform::appendLine(std::string_view name, std::string_view line) {
  auto count = std::find_if(appendCounts_.begin(), appendCounts_.end(),
                            [&](const auto& c) { return c.first == name; });
  if (count == appendCounts_.end()) {
    appendCounts_.emplace_back(std::string(name), 0);
    count = std::prev(appendCounts_.end());
  }
  std::size_t before = count->second++;
  if (appendFails && appendFails(name, before)) {
    return false;
  }
  std::error_code ec;
  if (readOnlyDirectory && !fs::exists(pathOf(name), ec)) {
    return false;
  }
  std::ofstream out(pathOf(name), std::ios::binary | std::ios::app);
  out << line << "\r\n";
  out.close();
  return !out.fail();
}

std::optional<std::string> FakePlatform::readFile(std::string_view name) {
  if (readFails) {
    return std::nullopt;
  }
  return fileBytes(name);
}

void FakePlatform::writeFile(std::string_view name, std::string_view bytes) {
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
