// The real file system on POSIX systems.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "io/file_io.h"

namespace korvane::io {
namespace {

class PosixRead final : public ReadHandle {
 public:
  explicit PosixRead(int fd) : fd_(fd) {}
  ~PosixRead() override { ::close(fd_); }
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

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ReadHandle> open_read(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixRead>(fd);
  }
  std::unique_ptr<WriteHandle> create(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWrite>(fd);
  }
  bool replace(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0;
  }
  void remove(const std::string& path) override { ::unlink(path.c_str()); }
  bool exists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
  }
};

}  // namespace

FileSystem& native_file_system() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace korvane::io

#endif
