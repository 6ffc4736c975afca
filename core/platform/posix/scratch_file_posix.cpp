// Scratch files on POSIX systems: mkstemp in $TMPDIR, else /tmp.
#ifndef _WIN32

#include <unistd.h>

#include <cstdlib>

#include "io/scratch_file.h"

namespace korvane::io {

std::optional<ScratchFile> ScratchFile::create() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
  std::string path = folder + (folder.back() == '/' ? "" : "/") + "korvane-XXXXXX";
  const int fd = ::mkstemp(path.data());
  if (fd < 0) return std::nullopt;
  ::close(fd);
  return ScratchFile(std::move(path), std::move(folder));
}

}  // namespace korvane::io

#endif
