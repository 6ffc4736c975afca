// Helpers shared by the tests: a recording Notifier, temporary folders, a file system that
// fails on demand, and Shift-JIS literals written in UTF-8.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_io.h"
#include "notify.h"

namespace korvane::test {

// The Shift-JIS bytes of a UTF-8 text (tests are written in UTF-8).
std::string sjis(std::string_view utf8);
// The UTF-8 form of Shift-JIS bytes, for readable failure output.
std::string utf8(std::string_view sjis_bytes);

// Records every message and gives the queued answers (Yes when the queue is empty and the box
// asks Yes/No, Ok otherwise).
class RecordingNotifier : public Notifier {
 public:
  Answer notify(const Message& message) override;
  std::vector<Message> messages;
  std::vector<Answer> answers;
  // "title: text" of every message, in UTF-8.
  std::vector<std::string> said() const;
};

// A fresh folder under the system temporary folder, removed with its contents at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

// Wraps the real file system and fails the operations asked for. Installed for its lifetime.
class FaultyFileSystem : public io::FileSystem {
 public:
  FaultyFileSystem();
  ~FaultyFileSystem() override;
  FaultyFileSystem(const FaultyFileSystem&) = delete;
  FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;
  bool fail_open_read = false;
  bool fail_create = false;
  bool fail_write = false;  // every write after `write_budget` bytes fails (a full disk)
  std::size_t write_budget = 0;
  bool fail_close = false;
  bool fail_replace = false;
  int names_taken = 0;  // the next this many new files find their name taken
  // Called after each new file is created, before anything is written to it.
  std::function<void(const std::string& path)> after_create;

  std::unique_ptr<io::ReadHandle> open_for_reading(const std::string& path,
                                                   io::OpenFailure& failure) override;
  std::unique_ptr<io::WriteHandle> create_new(const std::string& path, std::optional<unsigned> mode,
                                              bool& taken) override;
  bool replace(const std::string& from, const std::string& to) override;
  void remove(const std::string& path) override;
  io::FileStatus status(const std::string& path) override;
  std::string resolve_links(const std::string& path) override;

 private:
  io::FileSystem* previous_;
  io::FileSystem& real_;
};

}  // namespace korvane::test
