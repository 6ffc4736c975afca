// The real file system on POSIX systems.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/file_io.h"

namespace korvane::io {
namespace {

class PosixRead final : public ReadHandle {
 public:
  explicit PosixRead(int fd) : fd_(fd) {}
  ~PosixRead() override { ::close(fd_); }
  PosixRead(const PosixRead&) = delete;
  PosixRead& operator=(const PosixRead&) = delete;
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n < 0 && errno == EINTR) continue;
      return n;
    }
  }

 private:
  int fd_;
};

class PosixWrite final : public WriteHandle {
 public:
  explicit PosixWrite(int fd) : fd_(fd) {}
  ~PosixWrite() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixWrite(const PosixWrite&) = delete;
  PosixWrite& operator=(const PosixWrite&) = delete;
  bool write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }
  bool close() override {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0 || errno == EINVAL || errno == EROFS;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }

 private:
  int fd_;
};

bool is_missing_error(int error) { return error == ENOENT || error == ENOTDIR; }

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ReadHandle> open_for_reading(const std::string& path,
                                               OpenFailure& failure) override {
    // O_NONBLOCK: opening a FIFO nobody writes to would otherwise wait for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
      failure.missing = is_missing_error(errno);
      failure.reason = std::strerror(errno);
      return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      failure.reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
      return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixRead>(fd);
  }

  std::unique_ptr<WriteHandle> create_new(const std::string& path, std::optional<unsigned> mode,
                                          bool& taken) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          mode ? *mode & 07777 : 0666);
    if (fd < 0) {
      taken = errno == EEXIST;
      return nullptr;
    }
    // The umask applies at creation; a replaced file keeps the permissions it had.
    if (mode) (void)::fchmod(fd, *mode & 07777);
    return std::make_unique<PosixWrite>(fd);
  }

  bool replace(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0;
  }

  void remove(const std::string& path) override { ::unlink(path.c_str()); }

  FileStatus status(const std::string& path) override {
    FileStatus s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      s.kind = is_missing_error(errno) ? FileKind::Missing : FileKind::Other;
      return s;
    }
    s.kind = S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Other;
    s.read_only = (st.st_mode & 0222) == 0;
    s.mode = static_cast<unsigned>(st.st_mode & 07777);
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    return s;
  }

  std::string resolve_links(const std::string& path) override {
    std::string current = path;
    // A bounded walk, so a loop of links ends (the write through it then fails).
    for (int hop = 0; hop < 40; ++hop) {
      struct stat st {};
      if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
      std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
      const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
      if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return current;
      target.resize(static_cast<std::size_t>(n));
      current = target.front() == '/' ? target : folder_of(current).append(target);
    }
    return current;
  }
};

}  // namespace

FileSystem& native_file_system() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace korvane::io

#endif
