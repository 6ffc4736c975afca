// Real drawings from public projects (../shared/corpus beside the repository, read-only): every
// file is read, and its number of texts and some of its texts are checked against
// tests/data/corpus/expected.txt, written by tools/corpus_expect.py from an independent reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <sstream>

#include "dxf/dxf_reader.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(KORVANE_SOURCE_DIR) / ".." / "shared" / "corpus";

struct Expected {
  bool not_ascii = false;
  std::size_t count = 0;
  std::vector<TextRecord> samples;
};

double to_double(std::string_view s) {
  double v = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  EXPECT_TRUE(ec == std::errc() && end == s.data() + s.size()) << s;
  return v;
}

// "\\" and "\xHH" back to bytes.
std::string unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(std::string(s.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::map<std::string, Expected> load_expected() {
  std::map<std::string, Expected> all;
  std::istringstream in(test::read_file(std::string(KORVANE_TEST_DATA) + "/corpus/expected.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto fields = split_tabs(line);
    EXPECT_GE(fields.size(), 3u) << line;
    if (fields.size() < 3) continue;
    Expected& e = all[std::string(fields[0])];
    e.not_ascii = fields[1] == "not-ascii";
    e.count = static_cast<std::size_t>(std::stoul(std::string(fields[2])));
    for (std::size_t k = 3; k < fields.size(); ++k) {
      const std::string_view f = fields[k];
      const std::size_t a = f.find(' ');
      const std::size_t b = f.find(' ', a + 1);
      e.samples.push_back({to_double(f.substr(0, a)), to_double(f.substr(a + 1, b - a - 1)),
                           unescape(f.substr(b + 1))});
    }
  }
  return all;
}

std::string printable(const TextRecord& r) {
  std::ostringstream s;
  s << "(" << r.x << ", " << r.y << ") \"" << test::utf8(r.text) << "\"";
  return s.str();
}

TEST(Corpus, EveryDrawingGivesItsTextsAndOnlyFilesThatAreNoDxfAreRefused) {
  if (!fs::is_directory(kCorpus)) {
    GTEST_SKIP() << "no corpus of real drawings at " << kCorpus.string()
                 << " (the shared folder beside the repository)";
  }
  const std::map<std::string, Expected> expected = load_expected();
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(kCorpus)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".dxf") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ++files;
    TextTable table;
    test::RecordingNotifier notifier;
    const std::string path = entry.path().string();
    const bool read = read_dxf_file(path, table, notifier);

    const auto it = expected.find(name);
    ASSERT_NE(it, expected.end()) << "no expectation: run tools/corpus_expect.py";
    const Expected& e = it->second;
    if (e.not_ascii) {
      EXPECT_FALSE(read);
      ASSERT_EQ(notifier.messages.size(), 1u);
      EXPECT_EQ(notifier.messages[0].text, std::string(msg::kDxfNotAscii) + path);
    } else {
      EXPECT_TRUE(read);
      EXPECT_EQ(notifier.said(), std::vector<std::string>{});
    }
    EXPECT_EQ(table.size(), e.count);
    for (const TextRecord& sample : e.samples) {
      EXPECT_TRUE(std::find(table.begin(), table.end(), sample) != table.end())
          << "missing " << printable(sample);
    }
  }
  EXPECT_EQ(files, expected.size()) << "a file of tests/data/corpus/expected.txt is missing";
}

}  // namespace
}  // namespace korvane
