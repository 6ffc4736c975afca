#include "test_support.h"

#include <fstream>
#include <random>
#include <sstream>

#include "text/encoding.h"

namespace korvane::test {

std::string sjis(std::string_view utf8_text) { return utf8_to_sjis(utf8_text); }
std::string utf8(std::string_view sjis_bytes) { return sjis_to_utf8(sjis_bytes); }

Answer RecordingNotifier::notify(const Message& message) {
  messages.push_back(message);
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  return message.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::vector<std::string> RecordingNotifier::said() const {
  std::vector<std::string> out;
  for (const Message& m : messages) out.push_back(utf8(m.title) + ": " + utf8(m.text));
  return out;
}

TempDir::TempDir() {
  std::random_device rd;
  for (;;) {
    path_ = std::filesystem::temp_directory_path() /
            ("korvane-test-" + std::to_string(rd()) + std::to_string(rd()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

class FaultyWrite : public io::WriteHandle {
 public:
  FaultyWrite(std::unique_ptr<io::WriteHandle> inner, FaultyFileSystem& fs)
      : inner_(std::move(inner)), fs_(fs) {}
  bool write(const char* data, std::size_t size) override {
    if (fs_.fail_write) {
      if (written_ + size > fs_.write_budget) {
        const std::size_t part = fs_.write_budget > written_ ? fs_.write_budget - written_ : 0;
        inner_->write(data, part);
        written_ += part;
        return false;
      }
    }
    written_ += size;
    return inner_->write(data, size);
  }
  bool close() override { return inner_->close() && !fs_.fail_close; }

 private:
  std::unique_ptr<io::WriteHandle> inner_;
  FaultyFileSystem& fs_;
  std::size_t written_ = 0;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem()
    : previous_(io::set_file_system(nullptr)), real_(io::file_system()) {
  io::set_file_system(this);
}

FaultyFileSystem::~FaultyFileSystem() { io::set_file_system(previous_); }

std::unique_ptr<io::ReadHandle> FaultyFileSystem::open_for_reading(const std::string& path,
                                                                   io::OpenFailure& failure) {
  if (fail_open_read) {
    failure.reason = "injected";
    return nullptr;
  }
  return real_.open_for_reading(path, failure);
}

std::unique_ptr<io::WriteHandle> FaultyFileSystem::create_new(const std::string& path,
                                                              std::optional<unsigned> mode,
                                                              bool& taken) {
  if (fail_create) return nullptr;
  if (names_taken > 0) {
    --names_taken;
    taken = true;
    return nullptr;
  }
  auto inner = real_.create_new(path, mode, taken);
  if (!inner) return nullptr;
  if (after_create) after_create(path);
  return std::make_unique<FaultyWrite>(std::move(inner), *this);
}

bool FaultyFileSystem::replace(const std::string& from, const std::string& to) {
  if (fail_replace) return false;
  return real_.replace(from, to);
}

void FaultyFileSystem::remove(const std::string& path) { real_.remove(path); }
io::FileStatus FaultyFileSystem::status(const std::string& path) { return real_.status(path); }
std::string FaultyFileSystem::resolve_links(const std::string& path) {
  return real_.resolve_links(path);
}

}  // namespace korvane::test
