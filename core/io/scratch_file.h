// A scratch file for a library that writes a file by name through the C library itself (the
// workbook writer): it cannot go through the FileSystem seam, so it writes here, and the
// program then reads the bytes back and writes them to the user's file through write_whole_file.
#pragma once

#include <optional>
#include <string>

namespace korvane::io {

class ScratchFile {
 public:
  // A new empty file in the system's temporary folder, or nothing when none can be made. Its
  // path and folder are in the bytes the C library's fopen takes: the system's bytes on POSIX,
  // the ANSI code page on Windows (the folder in its short, 8.3, form so that a folder name the
  // code page cannot hold still works where short names exist).
  static std::optional<ScratchFile> create();

  ScratchFile(ScratchFile&& other) noexcept;
  ScratchFile& operator=(ScratchFile&&) = delete;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();  // removes the file

  const std::string& path() const { return path_; }
  // Reads the whole file, through the C library as it was written. False on a read error.
  bool read(std::string& out) const;
  const std::string& folder() const { return folder_; }

 private:
  ScratchFile(std::string path, std::string folder);
  std::string path_;
  std::string folder_;
};

}  // namespace korvane::io
