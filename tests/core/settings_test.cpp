#include <gtest/gtest.h>

#include "settings/settings.h"
#include "test_support.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::sjis;

const std::string kGolden = std::string(KORVANE_TEST_DATA) + "/settings/reset_values.ini";

TEST(SettingsFile, ResetValuesAreWrittenAsTheFiftySixLinesByteForByte) {
  Settings s;
  reset_settings_values(s);
  EXPECT_EQ(format_settings(s), test::read_file(kGolden));
}

TEST(SettingsFile, ReadingTheResetFileGivesTheResetRecord) {
  Settings expected;
  reset_settings_values(expected);
  Settings read;
  parse_settings(read, test::read_file(kGolden));
  EXPECT_EQ(read, expected);
}

TEST(SettingsFile, WriteThenReadGivesEveryFieldBack) {
  Settings s;
  for (int i = 0; i < 5; ++i) {
    s.part_file[i] = sjis("C:\\部品\\list") + std::to_string(i) + ".txt";
    s.kinsi_file[i] = "D:\\words" + std::to_string(i) + ".txt";
  }
  s.part_select = 3;
  for (int i = 0; i < 8; ++i) {
    s.columns[i] = {sjis("列") + std::to_string(i), i == 0 ? 1 : (i % 3 == 0 ? 0 : i + 2),
                    17 * i - 3, i == 5 ? sjis("固定") : ""};
  }
  s.column_map.tag = 0;
  s.column_map.drawing = 7;
  s.column_map.part_name = 6;
  s.column_map.maker = 5;
  s.column_map.spec = 4;
  s.column_map.type = 3;
  s.column_map.quantity = 2;
  s.column_map.supply = 1;
  s.file_save_mode = 1;
  s.file_save_mode2 = -4;
  s.pt_x = 105;
  s.pt_y = -20;
  s.file_folder = sjis("E:\\図面\\");
  Settings back;
  parse_settings(back, format_settings(s));
  EXPECT_EQ(back, s);
}

TEST(SettingsFile, KeysAreMatchedExactlyAtTheStartOfTheLine) {
  Settings s;
  parse_settings(s,
                 "file_save_mode2=1\r\n"  // does not set file_save_mode
                 "comment8=x\r\n"         // no column 8
                 "comment3=Tag\r\n"
                 " pt_y=99\r\n"  // not at the start
                 "PT_X=9\r\n"    // case matters
                 "haba2=80\r\n"
                 "pt_x= 7\r\n"
                 "haba2=95\r\n");  // the last value wins
  EXPECT_EQ(s.file_save_mode, 0);
  EXPECT_EQ(s.file_save_mode2, 1);
  EXPECT_EQ(s.columns[3].title, "Tag");
  for (int i : {0, 1, 2, 4, 5, 6, 7}) EXPECT_EQ(s.columns[i].title, "") << i;
  EXPECT_EQ(s.pt_y, 50);
  EXPECT_EQ(s.pt_x, 7);
  EXPECT_EQ(s.columns[2].width, 95);

  Settings t;
  parse_settings(t, "file_save_mode=1\r\npt_x=abc\r\n");
  EXPECT_EQ(t.file_save_mode, 1);
  EXPECT_EQ(t.file_save_mode2, 0);
  EXPECT_EQ(t.pt_x, 0);
}

TEST(SettingsFile, AbsentKeysKeepTheirInitialValues) {
  Settings s;
  parse_settings(s, "haba0=10\r\n");
  EXPECT_EQ(s.part_select, 0);  // nothing is loaded at start or saved at exit
  EXPECT_EQ(s.pt_y, 50);
  EXPECT_EQ(s.pt_x, 5);
  EXPECT_EQ(s.column_map.drawing, 1);
  EXPECT_EQ(s.column_map.supply, 7);
  EXPECT_EQ(s.columns[3].width, 0);
  EXPECT_EQ(s.columns[3].title, "");
  EXPECT_EQ(s.file_folder, "");
}

TEST(SettingsFile, LinesEndAtLfWithOrWithoutCrAndBlankLinesAreSkipped) {
  Settings crlf, lf;
  parse_settings(crlf, "pt_x=8\r\n\r\npt_y=70\r\nhaba1=33");  // blank line, no final line end
  parse_settings(lf, "pt_x=8\n\npt_y=70\nhaba1=33\n");
  for (const Settings* s : {&crlf, &lf}) {
    EXPECT_EQ(s->pt_x, 8);
    EXPECT_EQ(s->pt_y, 70);              // not joined to the blank line before it
    EXPECT_EQ(s->columns[1].width, 33);  // the last line is read without a line end
  }
  Settings s;
  parse_settings(s, "comment1=abc\r\n");
  EXPECT_EQ(s.columns[1].title, "abc");  // the CR is not part of the value
}

TEST(SettingsFile, OverlongValuesAreCutWithoutSplittingCharacters) {
  Settings s;
  std::string long_title = "A";
  for (int i = 0; i < 40; ++i) long_title += "\x95\x5C";  // 表, whose second byte is 0x5C
  const std::string long_path(600, 'p');
  parse_settings(s, "comment1=" + long_title + "\r\nfile_folder=" + long_path + "\r\n" + "pt_x=" +
                        std::string(40, '1') + "\r\npt_y=" + std::string(40, ' ') + "5\r\n");
  EXPECT_EQ(s.columns[1].title.size(), 63u);  // "A" + 31 whole characters
  EXPECT_EQ(s.columns[1].title, long_title.substr(0, 63));
  EXPECT_EQ(s.file_folder, std::string(255, 'p'));
  EXPECT_EQ(s.pt_x, 2147483647);  // 31 digits, saturated
  EXPECT_EQ(s.pt_y, 0);           // the number buffer holds 31 blanks and no digit
}

TEST(SettingsFile, JyunbanOfOneOrAboveTenMeansNoneForTheDataColumns) {
  Settings s;
  parse_settings(s,
                 "jyunban0=1\r\njyunban1=1\r\njyunban2=11\r\njyunban3=10\r\njyunban4=2\r\n"
                 "jyunban5=-3\r\n");
  EXPECT_EQ(s.columns[0].text_number, 1);
  EXPECT_EQ(s.columns[1].text_number, 0);
  EXPECT_EQ(s.columns[2].text_number, 0);
  EXPECT_EQ(s.columns[3].text_number, 10);
  EXPECT_EQ(s.columns[4].text_number, 2);
  EXPECT_EQ(s.columns[5].text_number, 0);
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  test::TempDir dir;
  Workspace ws;
  test::RecordingNotifier notifier;
  void SetUp() override { ws.settings_path = dir.file("Korvane.ini"); }
};

TEST_F(SettingsFileOnDisk, MissingFileYesTakesTheResetValuesAndRunsBothOpenDialogs) {
  int dialogs_run = 0;
  SettingsDialogs dialogs;
  dialogs.open_base_parts = [&](Workspace& w) {
    ++dialogs_run;
    w.last_reference_path = "base.txt";
    return true;
  };
  dialogs.open_prohibited_words = [&](Workspace&) {
    ++dialogs_run;
    return false;  // cancelled: its path stays empty whatever the other dialog chose
  };
  read_settings(ws, notifier, dialogs);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, msg::kSettingsMissingAskDefaults);
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleSettingsFile);
  EXPECT_EQ(notifier.messages[0].buttons, Buttons::YesNo);
  EXPECT_EQ(dialogs_run, 2);
  EXPECT_EQ(ws.settings.part_select, 1);
  EXPECT_EQ(ws.settings.part_file[0], "base.txt");
  EXPECT_EQ(ws.settings.kinsi_file[0], "");
  EXPECT_EQ(ws.settings.pt_y, 60);
  EXPECT_FALSE(dir.path().empty());
  EXPECT_FALSE(std::filesystem::exists(ws.settings_path));  // reading never writes
}

TEST_F(SettingsFileOnDisk, MissingFileNoKeepsTheInitialValuesAndOpensTheSettingsDialog) {
  notifier.answers = {Answer::No};
  bool dialog_opened = false;
  SettingsDialogs dialogs;
  dialogs.settings_dialog = [&](Workspace& w) {
    dialog_opened = true;
    EXPECT_EQ(w.settings, Settings{});
  };
  read_settings(ws, notifier, dialogs);
  EXPECT_TRUE(dialog_opened);
  EXPECT_EQ(ws.settings, Settings{});
}

TEST_F(SettingsFileOnDisk, WriteCreatesTheFileAndReadingItBackNeedsNoQuestion) {
  reset_settings_values(ws.settings);
  ws.settings.pt_x = 12;
  EXPECT_FALSE(write_settings(ws, notifier));
  EXPECT_TRUE(notifier.messages.empty());
  Workspace again;
  again.settings_path = ws.settings_path;
  read_settings(again, notifier);
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(again.settings, ws.settings);
}

TEST_F(SettingsFileOnDisk, AFailedWriteLeavesTheOldFileAndAsksWhetherToQuit) {
  test::write_file(ws.settings_path, "pt_x=1\r\n");
  reset_settings_values(ws.settings);
  for (int mode = 0; mode < 4; ++mode) {
    test::FaultyFileSystem faults;
    faults.fail_create = mode == 0;
    faults.fail_write = mode == 1;
    faults.write_budget = 100;
    faults.fail_close = mode == 2;
    faults.fail_replace = mode == 3;
    notifier.messages.clear();
    notifier.answers = {mode % 2 ? Answer::No : Answer::Yes};
    EXPECT_EQ(write_settings(ws, notifier), mode % 2 == 0) << mode;
    ASSERT_EQ(notifier.messages.size(), 1u) << mode;
    EXPECT_EQ(notifier.messages[0].text, msg::kSettingsCannotWriteAskQuit);
    EXPECT_EQ(test::read_file(ws.settings_path), "pt_x=1\r\n") << mode;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << mode;
  }
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// Only a file that does not exist asks for the defaults: one that exists but cannot be read says
// so, takes the reset values in memory and is never written over at exit.
TEST_F(SettingsFileOnDisk, AFileThatCannotBeReadIsToldAndNeverWritten) {
  std::filesystem::create_directory(ws.settings_path);
  EXPECT_EQ(read_settings(ws, notifier), SettingsSource::Unreadable);
  ASSERT_EQ(notifier.messages.size(), 1u);
  const std::string first_line =
      notifier.messages[0].text.substr(0, notifier.messages[0].text.find('\n'));
  EXPECT_EQ(test::utf8(first_line),
            "環境設定ファイル「" + ws.settings_path + "」が読めません。設定は保存されません。");
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleFileError);
  Settings reset;
  reset_settings_values(reset);
  EXPECT_EQ(ws.settings, reset);
  EXPECT_FALSE(write_settings(ws, notifier));
  EXPECT_EQ(notifier.messages.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(ws.settings_path));
}

TEST_F(SettingsFileOnDisk, AByteOrderMarkDoesNotHideTheFirstKey) {
  test::write_file(ws.settings_path, "\xEF\xBB\xBFpart_file1=base.txt\r\npt_x=7\r\n");
  EXPECT_EQ(read_settings(ws, notifier), SettingsSource::File);
  EXPECT_EQ(ws.settings.part_file[0], "base.txt");
  EXPECT_EQ(ws.settings.pt_x, 7);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// Options follow the 56 lines, each only when it differs from its default; lines of keys that
// are neither specified nor options are not kept.
TEST(SettingsOptions, WrittenAfterTheFixedLinesOnlyWhenNotAtTheirDefault) {
  static constexpr OptionSpec kSpecs[] = {{"alpha", "1"}, {"beta", ""}};
  Settings s;
  reset_settings_values(s);
  const std::string fixed = format_settings(s, kSpecs);
  EXPECT_EQ(fixed, format_settings(s, {}));  // all at their defaults: the 56 lines alone

  parse_settings(s, "beta=on\r\nalpha=1\r\ngamma=3\r\nalphabet=9\r\n", kSpecs);
  EXPECT_EQ(option_value(s, "alpha", kSpecs), "1");
  EXPECT_EQ(option_value(s, "beta", kSpecs), "on");
  EXPECT_EQ(option_value(s, "gamma", kSpecs), "");
  EXPECT_EQ(format_settings(s, kSpecs), fixed + "beta=on\r\n");

  s.options["alpha"] = "2";
  const std::string both = format_settings(s, kSpecs);
  EXPECT_EQ(both, fixed + "alpha=2\r\nbeta=on\r\n");
  Settings again;
  reset_settings_values(again);
  parse_settings(again, both, kSpecs);
  EXPECT_EQ(again, s);
}

TEST(SettingsOptions, DxfCodePageIsAutoUntilTheFileSays932) {
  Settings s;
  reset_settings_values(s);
  const std::string fixed = format_settings(s);
  EXPECT_EQ(option_value(s, kOptionDxfCodePage), "auto");
  parse_settings(s, "dxf_codepage=932\r\n");
  EXPECT_EQ(option_value(s, kOptionDxfCodePage), "932");
  EXPECT_EQ(format_settings(s), fixed + "dxf_codepage=932\r\n");
}

}  // namespace
}  // namespace korvane
