// Whole-file reading, streamed reading and whole-or-nothing writing.
//
// Every file the core touches goes through the FileSystem seam below, so that tests can make an
// open, a write or a rename fail and check that no file was left half-written. Paths are the
// program's own Shift-JIS bytes; on Windows they are widened with code page 932.
#pragma once

#include <cstddef>
#include <memory>
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

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing file for reading, letting other programs keep it open for reading and
  // writing. Null when it cannot be opened (missing, a folder, no permission).
  virtual std::unique_ptr<ReadHandle> open_read(const std::string& path) = 0;
  // Creates (or truncates) a file for writing. Null on failure.
  virtual std::unique_ptr<WriteHandle> create(const std::string& path) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
};

// The file system in use; tests may install their own and must restore the previous one.
FileSystem& file_system();
FileSystem* set_file_system(
    FileSystem* fs);  // returns the previous one; null restores the real one

// Reads a whole file. False when it cannot be opened or read.
bool read_whole_file(const std::string& path, std::string& out);

// Writes `data` to a temporary file beside `path`, then replaces `path` with it. On any failure
// the temporary file is removed, `path` is left as it was, and the result is false.
bool write_whole_file(const std::string& path, std::string_view data);

}  // namespace korvane::io
