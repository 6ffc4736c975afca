#include "io/file_io.h"

#include <atomic>
#include <cstdio>
#include <random>
#include <vector>

namespace korvane::io {

FileSystem& native_file_system();  // platform/posix or platform/win32

namespace {

std::atomic<FileSystem*> g_installed{nullptr};

// A name nobody else picks: the target's name, the process's random tag and a counter, so that
// a file left by a crash or a second process saving the same target never meets ours.
std::string temporary_name(const std::string& target) {
  static const std::uint64_t tag = [] {
    std::random_device rd;
    return (std::uint64_t{rd()} << 32) ^ rd();
  }();
  static std::atomic<std::uint32_t> counter{0};
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".korvane-%016llx-%u.tmp",
                static_cast<unsigned long long>(tag), counter.fetch_add(1));
  return target + suffix;
}

}  // namespace

FileSystem& file_system() {
  FileSystem* fs = g_installed.load();
  return fs ? *fs : native_file_system();
}

FileSystem* set_file_system(FileSystem* fs) { return g_installed.exchange(fs); }

ReadResult read_file(const std::string& path, std::string& out, std::size_t limit) {
  ReadResult result;
  OpenFailure failure;
  auto handle = file_system().open_for_reading(path, failure);
  if (!handle) {
    result.status = failure.missing ? ReadResult::Status::Missing : ReadResult::Status::Failed;
    result.reason = std::move(failure.reason);
    return result;
  }
  std::string data;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    const std::size_t room = limit - data.size();
    const std::size_t want = room < buffer.size() ? room + 1 : buffer.size();
    const std::ptrdiff_t n = handle->read(buffer.data(), want);
    if (n < 0) return result;
    if (n == 0) break;
    const auto got = static_cast<std::size_t>(n);
    if (got > room) {
      data.append(buffer.data(), room);
      result.cut = true;
      break;
    }
    data.append(buffer.data(), got);
  }
  out = std::move(data);
  result.status = ReadResult::Status::Read;
  return result;
}

bool read_whole_file(const std::string& path, std::string& out) {
  return static_cast<bool>(read_file(path, out, static_cast<std::size_t>(-1) - 1));
}

bool write_whole_file(const std::string& path, std::string_view data) {
  if (path.empty()) return false;
  FileSystem& fs = file_system();
  const std::string target = fs.resolve_links(path);
  const FileStatus old = fs.status(target);
  if (old.kind == FileKind::Other || (old.kind == FileKind::Regular && old.read_only)) {
    return false;
  }
  const std::optional<unsigned> mode =
      old.kind == FileKind::Regular ? std::optional<unsigned>(old.mode) : std::nullopt;

  std::string temp;
  std::unique_ptr<WriteHandle> handle;
  for (int attempt = 0; attempt < 16 && !handle; ++attempt) {
    temp = temporary_name(target);
    bool taken = false;
    handle = fs.create_new(temp, mode, taken);
    if (!handle && !taken) return false;
  }
  if (!handle) return false;
  bool ok = handle->write(data.data(), data.size());
  ok = handle->close() && ok;
  handle.reset();
  if (ok) ok = fs.replace(temp, target);
  if (!ok) fs.remove(temp);
  return ok;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  FileSystem& fs = file_system();
  const FileStatus sa = fs.status(a);
  if (sa.kind == FileKind::Missing) return false;
  const FileStatus sb = fs.status(b);
  if (sb.kind == FileKind::Missing) return false;
  const bool known = sa.device != 0 || sa.inode != 0;
  return known && sa.device == sb.device && sa.inode == sb.inode;
}

}  // namespace korvane::io
