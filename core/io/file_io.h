// Whole-file reading, streamed reading and whole-or-nothing writing.
//
// Every file the core touches goes through the FileSystem seam below, so that tests can make an
// open, a write or a rename fail and check that no file was left half-written. Paths are the
// program's own bytes: Shift-JIS on Windows (widened with code page 932), the system's bytes
// elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::io {

class ReadHandle {
 public:
  virtual ~ReadHandle() = default;
  // Bytes read into `buffer` (0 at end of file), or -1 on a read error.
  virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

class WriteHandle {
 public:
  virtual ~WriteHandle() = default;
  virtual bool write(const char* data, std::size_t size) = 0;
  // Flushes and closes; false when the data may not have reached the file.
  virtual bool close() = 0;
};

// Why a file could not be opened for reading.
struct OpenFailure {
  bool missing = false;  // nothing of that name (or its folder) exists
  std::string reason;    // the system's words, in the program's bytes
};

enum class FileKind { Missing, Regular, Other };

// What a path names, links followed.
struct FileStatus {
  FileKind kind = FileKind::Missing;
  bool read_only = false;  // no write permission bit (POSIX) or the read-only attribute (Windows)
  unsigned mode = 0;       // POSIX permission bits; 0 on Windows
  // Identity: device and inode, or volume serial number and file index.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing regular file for reading, letting other programs keep it open for reading
  // and writing. Anything else (a folder, a FIFO, a device) is refused without blocking. Null when
  // it cannot be opened, with `failure` filled.
  virtual std::unique_ptr<ReadHandle> open_for_reading(const std::string& path,
                                                       OpenFailure& failure) = 0;
  // Creates a file that does not exist yet, never through a link. `mode` gives its permission
  // bits (POSIX; the process's default when absent). Null on failure, `taken` set when something
  // already has that name.
  virtual std::unique_ptr<WriteHandle> create_new(const std::string& path,
                                                  std::optional<unsigned> mode, bool& taken) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& path) = 0;
  virtual FileStatus status(const std::string& path) = 0;
  // The path of the file that `path` names once symbolic links are followed; `path` itself when
  // it is no link.
  virtual std::string resolve_links(const std::string& path) = 0;

  std::unique_ptr<ReadHandle> open_read(const std::string& path) {
    OpenFailure ignored;
    return open_for_reading(path, ignored);
  }
};

// The file system in use; tests may install their own and must restore the previous one.
FileSystem& file_system();
FileSystem* set_file_system(
    FileSystem* fs);  // returns the previous one; null restores the real one

// Reference lists and settings files are read up to this size; what lies beyond is not read.
inline constexpr std::size_t kListFileLimit = std::size_t{16} << 20;

struct ReadResult {
  enum class Status { Read, Missing, Failed } status = Status::Failed;
  bool cut = false;    // the file held more than the limit
  std::string reason;  // the system's words when it could not be read
  explicit operator bool() const { return status == Status::Read; }
};

// Reads a file whole, or its first `limit` bytes.
ReadResult read_file(const std::string& path, std::string& out, std::size_t limit);

// Reads a whole file. False when it cannot be opened or read.
bool read_whole_file(const std::string& path, std::string& out);

// Writes `data` to a new temporary file beside the file `path` names (links followed), then puts
// it in that file's place. A target that is read-only or not a regular file is refused. On any
// failure the temporary file is removed, the target is left as it was, and the result is false.
bool write_whole_file(const std::string& path, std::string_view data);

// Whether two paths name one existing file (by identity, not by spelling).
bool same_file(const std::string& a, const std::string& b);

}  // namespace korvane::io
