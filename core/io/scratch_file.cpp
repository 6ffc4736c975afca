#include "io/scratch_file.h"

#include <cstdio>
#include <utility>

namespace korvane::io {

ScratchFile::ScratchFile(std::string path, std::string folder)
    : path_(std::move(path)), folder_(std::move(folder)) {}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept
    : path_(std::exchange(other.path_, {})), folder_(std::move(other.folder_)) {}

ScratchFile::~ScratchFile() {
  // The path is in the C library's bytes, so the C library removes it.
  if (!path_.empty()) std::remove(path_.c_str());
}

bool ScratchFile::read(std::string& out) const {
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  if (file == nullptr) return false;
  out.clear();
  char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) out.append(buffer, n);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

}  // namespace korvane::io
