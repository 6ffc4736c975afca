// The real file system on Windows: wide-character API, paths widened with code page 932.
#ifdef _WIN32

#include <windows.h>

#include "io/file_io.h"

namespace korvane::io {
namespace {

std::wstring widen(const std::string& path) {
  if (path.empty()) return {};
  const int n = MultiByteToWideChar(932, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, path.data(), static_cast<int>(path.size()), wide.data(), n);
  return wide;
}

class WinRead final : public ReadHandle {
 public:
  explicit WinRead(HANDLE h) : h_(h) {}
  ~WinRead() override { CloseHandle(h_); }
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!ReadFile(h_, buffer, want, &got, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  HANDLE h_;
};

class WinWrite final : public WriteHandle {
 public:
  explicit WinWrite(HANDLE h) : h_(h) {}
  ~WinWrite() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool write(const char* data, std::size_t size) override {
    while (size > 0) {
      const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD done = 0;
      if (!WriteFile(h_, data, chunk, &done, nullptr) || done == 0) return false;
      data += done;
      size -= done;
    }
    return true;
  }
  bool close() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(h_) != 0;
    const bool closed = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return flushed && closed;
  }

 private:
  HANDLE h_;
};

class WinFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ReadHandle> open_read(const std::string& path) override {
    if (path.empty()) return nullptr;
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WinRead>(h);
  }
  std::unique_ptr<WriteHandle> create(const std::string& path) override {
    if (path.empty()) return nullptr;
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WinWrite>(h);
  }
  bool replace(const std::string& from, const std::string& to) override {
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  void remove(const std::string& path) override { DeleteFileW(widen(path).c_str()); }
  bool exists(const std::string& path) override {
    return !path.empty() && GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileSystem& native_file_system() {
  static WinFileSystem fs;
  return fs;
}

}  // namespace korvane::io

#endif
