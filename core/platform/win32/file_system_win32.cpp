// The real file system on Windows: wide-character API, paths widened with code page 932.
#ifdef _WIN32

#include <windows.h>

#include "io/file_io.h"
#include "platform/win32/code_page.h"

namespace korvane::io {
namespace {

// Bytes that are not Shift-JIS give an empty path, which no call accepts.
std::wstring widen(const std::string& path) {
  if (path.empty()) return {};
  const int size = static_cast<int>(path.size());
  const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), n);
  return wide;
}

std::string system_reason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = n > 0 && text ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' '))
    words.pop_back();
  const std::optional<std::string> bytes = win32::to_cp932_exactly(words);
  if (bytes && !bytes->empty()) return *bytes;
  char code[32];
  wsprintfA(code, "error %lu", static_cast<unsigned long>(error));
  return code;
}

bool is_missing_error(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

class WinRead final : public ReadHandle {
 public:
  explicit WinRead(HANDLE h) : h_(h) {}
  ~WinRead() override { CloseHandle(h_); }
  WinRead(const WinRead&) = delete;
  WinRead& operator=(const WinRead&) = delete;
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
  WinWrite(const WinWrite&) = delete;
  WinWrite& operator=(const WinWrite&) = delete;
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

// A handle for looking at a file (no read or write access), links followed; folders included.
HANDLE open_for_status(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class WinFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ReadHandle> open_for_reading(const std::string& path,
                                               OpenFailure& failure) override {
    const std::wstring wide = widen(path);
    if (wide.empty()) {
      failure.missing = true;
      failure.reason = system_reason(ERROR_INVALID_NAME);
      return nullptr;
    }
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      failure.missing = is_missing_error(error);
      failure.reason = system_reason(error);
      return nullptr;
    }
    // Devices, pipes and consoles are not drawings or lists, and reading them may never end.
    if (GetFileType(h) != FILE_TYPE_DISK) {
      CloseHandle(h);
      failure.reason = system_reason(ERROR_INVALID_FUNCTION);
      return nullptr;
    }
    return std::make_unique<WinRead>(h);
  }

  std::unique_ptr<WriteHandle> create_new(const std::string& path, std::optional<unsigned>,
                                          bool& taken) override {
    const std::wstring wide = widen(path);
    if (wide.empty()) return nullptr;
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
      return nullptr;
    }
    return std::make_unique<WinWrite>(h);
  }

  bool replace(const std::string& from, const std::string& to) override {
    const std::wstring wide_from = widen(from);
    const std::wstring wide_to = widen(to);
    if (wide_from.empty() || wide_to.empty()) return false;
    // A file another program has open for a moment (a virus scanner, a second save) refuses the
    // replace; a few short retries get past it.
    for (int attempt = 0;; ++attempt) {
      if (MoveFileExW(wide_from.c_str(), wide_to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
      }
      const DWORD error = GetLastError();
      if (attempt == 4 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
        return false;
      }
      Sleep(20);
    }
  }

  void remove(const std::string& path) override {
    const std::wstring wide = widen(path);
    if (!wide.empty()) DeleteFileW(wide.c_str());
  }

  FileStatus status(const std::string& path) override {
    FileStatus s;
    const std::wstring wide = widen(path);
    if (wide.empty()) return s;
    HANDLE h = open_for_status(wide);
    if (h == INVALID_HANDLE_VALUE) {
      s.kind = is_missing_error(GetLastError()) ? FileKind::Missing : FileKind::Other;
      return s;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(h, &info) != 0;
    const bool disk = GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    if (!known || !disk || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      s.kind = FileKind::Other;
      return s;
    }
    s.kind = FileKind::Regular;
    s.read_only = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    s.device = info.dwVolumeSerialNumber;
    s.inode = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return s;
  }

  std::string resolve_links(const std::string& path) override {
    const std::wstring wide = widen(path);
    if (wide.empty()) return path;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      return path;
    }
    HANDLE h = open_for_status(wide);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring final_path(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h, final_path.data(), static_cast<DWORD>(final_path.size()),
                                        FILE_NAME_NORMALIZED);
    if (n >= final_path.size()) {
      final_path.resize(n + 1);
      n = GetFinalPathNameByHandleW(h, final_path.data(), static_cast<DWORD>(final_path.size()),
                                    FILE_NAME_NORMALIZED);
    }
    CloseHandle(h);
    if (n == 0 || n >= final_path.size()) return path;
    final_path.resize(n);
    if (final_path.rfind(L"\\\\?\\", 0) == 0) final_path.erase(0, 4);
    const std::optional<std::string> bytes = win32::to_cp932_exactly(final_path);
    return bytes && !bytes->empty() ? *bytes : path;
  }
};

}  // namespace

FileSystem& native_file_system() {
  static WinFileSystem fs;
  return fs;
}

}  // namespace korvane::io

#endif
