#include "io/file_io.h"

#include <atomic>
#include <vector>

namespace korvane::io {

FileSystem& native_file_system();  // file_io_posix.cpp / file_io_win32.cpp

namespace {
std::atomic<FileSystem*> g_installed{nullptr};
}

FileSystem& file_system() {
  FileSystem* fs = g_installed.load();
  return fs ? *fs : native_file_system();
}

FileSystem* set_file_system(FileSystem* fs) { return g_installed.exchange(fs); }

bool read_whole_file(const std::string& path, std::string& out) {
  auto handle = file_system().open_read(path);
  if (!handle) return false;
  std::string data;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const std::ptrdiff_t n = handle->read(buffer.data(), buffer.size());
    if (n < 0) return false;
    if (n == 0) break;
    data.append(buffer.data(), static_cast<std::size_t>(n));
  }
  out = std::move(data);
  return true;
}

bool write_whole_file(const std::string& path, std::string_view data) {
  FileSystem& fs = file_system();
  const std::string temp = path + ".korvane-tmp";
  auto handle = fs.create(temp);
  if (!handle) return false;
  bool ok = handle->write(data.data(), data.size());
  ok = handle->close() && ok;
  handle.reset();
  if (ok) ok = fs.replace(temp, path);
  if (!ok) fs.remove(temp);
  return ok;
}

}  // namespace korvane::io
