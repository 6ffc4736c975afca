// The save at exit replaces a reference list's file only when the list changed in this run, and
// asks before replacing a file whose load lost something.
#include <gtest/gtest.h>

#include <filesystem>

#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "reference/reference_pair.h"
#include "test_support.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {
namespace {

std::string words_file(int count, std::size_t length = 3) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += std::string(length, 'A') + std::to_string(i) + "\n";
  return bytes;
}

TEST(ReferencePairAtExit, SavesOnlyWhatChangedAndAsksBeforeOverwritingACutFile) {
  struct Case {
    const char* label;
    std::optional<std::string> words_on_disk;  // nothing: no file at start
    bool edit;                                 // the list is changed in this run
    std::optional<std::string> other_pair;     // another pair's file, picked before exit
    std::vector<Answer> answers;
    bool asked;
    bool written;
  };
  const std::string long_word = std::string(200, 'W') + "\n";
  const std::vector<Case> cases = {
      {"unchanged, LF line ends", words_file(3), false, {}, {}, false, false},
      {"edited", words_file(3), true, {}, {}, false, true},
      {"101 words, unchanged", words_file(101), false, {}, {}, false, false},
      {"101 words, edited, No", words_file(101), true, {}, {Answer::No}, true, false},
      {"101 words, edited, Yes", words_file(101), true, {}, {Answer::Yes}, true, true},
      {"a word cut, edited, No", long_word, true, {}, {Answer::No}, true, false},
      {"no file at start", std::nullopt, true, {}, {}, false, true},
      {"another pair's file, unchanged", words_file(3), false, "OTHER\n", {}, false, false},
      {"another pair's new file", words_file(3), false, "", {}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    test::TempDir dir;
    const std::string words = dir.file("words.txt");
    const std::string base = dir.file("base.txt");
    test::write_file(base, "Name,MC,,,0,,,,,,,,,\n");
    if (c.words_on_disk) test::write_file(words, *c.words_on_disk);
    Workspace ws;
    ws.settings.part_select = 1;
    ws.settings.part_file[0] = base;
    ws.settings.kinsi_file[0] = words;
    test::RecordingNotifier notifier;
    load_reference_pair(ws, notifier);
    if (c.edit) ws.prohibited_words.words.insert(ws.prohibited_words.words.begin(), "NEW");
    std::string target = words;
    if (c.other_pair) {
      target = dir.file("other.txt");
      if (!c.other_pair->empty()) test::write_file(target, *c.other_pair);
      ws.settings.kinsi_file[0] = target;
    }
    notifier.messages.clear();
    notifier.answers = c.answers;
    save_reference_pair_at_exit(ws, notifier);

    // The base parts list was not touched, so its file keeps its LF line ends.
    EXPECT_EQ(test::read_file(base), "Name,MC,,,0,,,,,,,,,\n");
    const bool asked =
        !notifier.messages.empty() && notifier.messages[0].title == msg::kTitleConfirm;
    EXPECT_EQ(asked, c.asked) << ::testing::PrintToString(notifier.said());
    if (asked) {
      EXPECT_EQ(
          test::utf8(notifier.messages[0].text),
          "禁止文字ファイル「" + words + "」は読込時に切り捨てた行があります。上書きしますか？");
      EXPECT_EQ(notifier.messages[0].buttons, Buttons::YesNo);
    }
    const std::string now = std::filesystem::exists(target) ? test::read_file(target) : "";
    if (c.written) {
      EXPECT_EQ(now, format_prohibited_words(ws.prohibited_words));
    } else {
      EXPECT_EQ(now, c.other_pair ? *c.other_pair : c.words_on_disk.value_or(""));
    }
  }
}

TEST(ReferencePairPaths, RelativePathsAreTakenFromTheSettingsFilesFolder) {
  struct Case {
    const char* settings_path;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"Korvane.ini", "base.txt", "base.txt"},  // the current folder, as always
      {"C:\\Prog\\Korvane.ini", "base.txt", "C:\\Prog\\base.txt"},
      {"C:\\Prog\\Korvane.ini", "..\\lists\\base.txt", "C:\\Prog\\..\\lists\\base.txt"},
      {"C:\\Prog\\Korvane.ini", "D:\\lists\\base.txt", "D:\\lists\\base.txt"},
      {"C:\\Prog\\Korvane.ini", "D:base.txt", "D:base.txt"},
      {"C:\\Prog\\Korvane.ini", "\\\\server\\base.txt", "\\\\server\\base.txt"},
      {"C:\\Prog\\Korvane.ini", "", ""},
      {"/opt/korvane/Korvane.ini", "base.txt", "/opt/korvane/base.txt"},
      {"/opt/korvane/Korvane.ini", "/srv/base.txt", "/srv/base.txt"},
      // 表 is 95 5C: its trail byte is no backslash.
      {"C:\\\x95\x5C\\Korvane.ini", "base.txt", "C:\\\x95\x5C\\base.txt"},
      {"C:\\\x95\x5C", "base.txt", "C:\\base.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(path_from_settings_folder(c.settings_path, c.path), c.expected)
        << c.settings_path << " + " << c.path;
  }
}

}  // namespace
}  // namespace korvane
