#include <gtest/gtest.h>

#include <filesystem>

#include "output/parts_list_writer.h"
#include "test_support.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::sjis;

std::string golden(const std::string& name) {
  return test::read_file(std::string(KORVANE_TEST_DATA) + "/writer/" + name);
}

PartsRow row(std::initializer_list<const char*> utf8_cells) {
  PartsRow r;
  std::size_t c = 0;
  for (const char* cell : utf8_cells) r[c++] = sjis(cell);
  return r;
}

// The rows behind the golden files: every supply class spelling the selection must tell apart.
std::vector<PartsRow> sample_rows() {
  return {
      row({"MCCB1", "", "配線用遮断器", "コルベ電機", "3P 30AF 20AT", "KB-32S", "1", "    "}),
      row({"INV1", "E-02", "インバータ", "ミナト制御", "200V 3.7kW", "VF-37", "1", "支給"}),
      row({"TB1", "", "端子台", "サクラ電設", "600V 20A 12P", "TB-2012", "2", "非購"}),
      row({"PB1,2", "", "押ボタンスイッチ", "ヤマブキ電工", "緑 1a", "KP-22G", "2", ""}),
      row({"NP1", "", "銘板", "", "白地黒文字", "", "5", "非購入"}),
      row({"M1", "", "電動機", "", "3.7kW 4P", "", "1", "支給品"}),
      row({"PL1", "", "表示灯", "コルベ電機", "赤 AC100V", "KL-22R", "1", " 支給"}),
  };
}

class Writer : public ::testing::Test {
 protected:
  Writer() {
    reset_settings_values(ws.settings);
    ws.parts.assign(sample_rows());
  }
  std::optional<std::string> write(Selection selection,
                                   OutputNaming naming = OutputNaming::Current) {
    return write_parts_list(ws, notifier, {selection, naming}, dialog);
  }
  // A save dialog that answers with the queued names (nothing = cancel) and counts its calls.
  void answer_dialog(std::vector<std::optional<std::string>> names) {
    answers = std::move(names);
    dialog = [this](OutputKind kind) {
      kinds.push_back(kind);
      return answers.at(kinds.size() - 1);
    };
  }
  bool said_cannot_write(std::size_t count) const {
    if (notifier.messages.size() != count) return false;
    for (const Message& m : notifier.messages) {
      if (m.text != msg::kTextFileCannotOpen || m.title != msg::kTitleFileError ||
          m.buttons != Buttons::Ok || m.icon != Icon::Warning || !m.without_owner) {
        return false;
      }
    }
    return true;
  }

  test::TempDir dir;
  Workspace ws;
  test::RecordingNotifier notifier;
  OutputFileDialog dialog;
  std::vector<std::optional<std::string>> answers;
  std::vector<OutputKind> kinds;
};

TEST_F(Writer, OneFileFromTheDrawingNameHasTheLineFormatByteForByte) {
  ws.current_file_name = dir.file("pump.dxf");
  EXPECT_EQ(write(Selection::All), dir.file("pump.csv"));
  EXPECT_EQ(ws.current_file_name, dir.file("pump.csv"));
  EXPECT_EQ(test::read_file(dir.file("pump.csv")), golden("all_rows.csv"));

  // Same lines for TXT; a name that already ends in the extension is overwritten in place.
  ws.settings.file_save_mode2 = 1;
  ws.current_file_name = dir.file("pump.txt");
  test::write_file(dir.file("pump.txt"), "old contents that are longer than nothing");
  EXPECT_EQ(write(Selection::All), dir.file("pump.txt"));
  EXPECT_EQ(test::read_file(dir.file("pump.txt")), golden("all_rows.csv"));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_TRUE(kinds.empty());
}

TEST_F(Writer, ThreeFilesSplitBySupplyClassAndNumberedBeforeTheExtension) {
  ws.settings.file_save_mode2 = 1;
  ws.current_file_name = dir.file("pump.dxf");
  EXPECT_EQ(write(Selection::Supplied), dir.file("pump1.txt"));
  EXPECT_EQ(write(Selection::NotPurchased), dir.file("pump2.txt"));
  EXPECT_EQ(write(Selection::Purchased), dir.file("pump3.txt"));
  EXPECT_EQ(test::read_file(dir.file("pump1.txt")), golden("supplied.txt"));
  EXPECT_EQ(test::read_file(dir.file("pump2.txt")), golden("not_purchased.txt"));
  EXPECT_EQ(test::read_file(dir.file("pump3.txt")), golden("purchased.txt"));

  // A second three-file output on the last name: the numbers accumulate.
  EXPECT_EQ(write(Selection::Supplied), dir.file("pump31.txt"));

  // CSV names follow the same rule.
  ws.settings.file_save_mode2 = 0;
  ws.current_file_name = dir.file("pump.dxf");
  EXPECT_EQ(write(Selection::Supplied), dir.file("pump1.csv"));
  EXPECT_EQ(write(Selection::NotPurchased), dir.file("pump2.csv"));
  EXPECT_EQ(write(Selection::Purchased), dir.file("pump3.csv"));
  EXPECT_EQ(test::read_file(dir.file("pump3.csv")), golden("purchased.txt"));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Writer, SelectionReadsTheColumnThatSiNoNames) {
  ws.settings.column_map.supply = 2;
  ws.parts.assign({row({"CR1", "", "支給", "", "", "", "1", ""}),
                   row({"CR2", "", "", "", "", "", "1", "支給"}),
                   row({"CR3", "", "支給品", "", "", "", "1", "非購"})});
  ws.current_file_name = dir.file("panel.dxf");
  EXPECT_EQ(write(Selection::Supplied), dir.file("panel1.csv"));
  EXPECT_EQ(test::read_file(dir.file("panel1.csv")), golden("supplied_si_no_2.csv"));

  // A column number outside the row reads as an empty cell: purchased.
  ws.settings.column_map.supply = 9;
  EXPECT_TRUE(selection_takes(Selection::Purchased, ws.parts.cell(0, 9)));
  EXPECT_EQ(format_parts_list(ws.parts, Selection::Purchased, 9).size(),
            format_parts_list(ws.parts, Selection::All, 9).size());
}

TEST_F(Writer, FieldsWithQuotesCommasOrLineBreaksAreEscaped) {
  ws.parts.assign({row({"say \"hi\"", "a,b", "\"", "", "x\"\"y", "line\r\nbreak", "1,5", "支\"給"}),
                   row({"TB2", "E-02\"", ",", "", "", "", "qty\n", "x\ry"}),
                   row({"CR1", "A-1", "", "", "DC24V", "KR-4N", "1", "支給"})});
  ws.current_file_name = dir.file("esc.dxf");
  ASSERT_TRUE(write(Selection::All));
  EXPECT_EQ(test::read_file(dir.file("esc.csv")), golden("escaping.csv"));
}

TEST_F(Writer, CellsAreCutTo255BytesWithoutSplittingACharacter) {
  const std::string long_ascii(300, 'b');
  const std::string long_japanese = std::string(254, 'a') + sjis("盤盤");
  ws.parts.assign({PartsRow{"T", long_ascii, long_japanese, "", "", "", "", ""}});
  EXPECT_EQ(format_parts_line(ws.parts, 0), "\"T\"," + std::string(255, 'b') + ",\"" +
                                                std::string(254, 'a') + "\",\"\",\"\",\"\",,\r\n");
}

TEST_F(Writer, AnEmptyListOrASelectionWithoutRowsStillTruncatesTheFile) {
  ws.current_file_name = dir.file("list.csv");
  test::write_file(dir.file("list.csv"), "stale");
  ws.parts.assign({row({"MC1", "", "", "", "", "", "1", "非購"})});
  EXPECT_EQ(write(Selection::Supplied), dir.file("list1.csv"));
  EXPECT_EQ(test::read_file(dir.file("list1.csv")), "");
  ws.parts.delete_all();
  ws.current_file_name = dir.file("list.csv");
  EXPECT_EQ(write(Selection::All), dir.file("list.csv"));
  EXPECT_EQ(test::read_file(dir.file("list.csv")), "");
  EXPECT_TRUE(std::filesystem::exists(dir.file("list1.csv")));
}

TEST_F(Writer, DialogNamesGetTheirExtensionCompletedAndAreUsedAsTheyAre) {
  EXPECT_EQ(complete_output_extension("parts", OutputKind::Txt), "parts.txt");
  EXPECT_EQ(complete_output_extension("parts.TXT", OutputKind::Txt), "parts.TXT");
  EXPECT_EQ(complete_output_extension("parts.Txt", OutputKind::Txt), "parts.Txt");
  EXPECT_EQ(complete_output_extension("parts.csv", OutputKind::Txt), "parts.csv.txt");
  EXPECT_EQ(complete_output_extension("parts.tXt", OutputKind::Txt), "parts.tXt.txt");
  EXPECT_EQ(complete_output_extension("txt", OutputKind::Txt), "txt.txt");
  EXPECT_EQ(complete_output_extension("parts.Csv", OutputKind::Csv), "parts.Csv");
  EXPECT_EQ(complete_output_extension("parts.txt", OutputKind::Csv), "parts.txt.csv");

  ws.settings.file_save_mode2 = 1;
  ws.current_file_name = dir.file("drawing.dxf");
  answer_dialog({dir.file("parts"), dir.file("only.csv")});
  EXPECT_EQ(write(Selection::All, OutputNaming::Dialog), dir.file("parts.txt"));
  EXPECT_EQ(test::read_file(dir.file("parts.txt")), golden("all_rows.csv"));
  EXPECT_EQ(write(Selection::Supplied, OutputNaming::Dialog), dir.file("only.csv.txt"));
  EXPECT_EQ(test::read_file(dir.file("only.csv.txt")), golden("supplied.txt"));
  EXPECT_EQ(ws.current_file_name, dir.file("only.csv.txt"));
  EXPECT_EQ(kinds, (std::vector<OutputKind>{OutputKind::Txt, OutputKind::Txt}));
}

TEST_F(Writer, OneDialogNamesAllThreeFiles) {
  ws.settings.file_save_mode2 = 1;
  answer_dialog({dir.file("list")});
  EXPECT_EQ(write_three_files(ws, notifier, OutputNaming::DialogRewritten, dialog),
            (std::vector<std::string>{dir.file("list1.txt"), dir.file("list2.txt"),
                                      dir.file("list3.txt")}));
  EXPECT_EQ(kinds.size(), 1u);
  EXPECT_EQ(test::read_file(dir.file("list1.txt")), golden("supplied.txt"));
  EXPECT_EQ(test::read_file(dir.file("list2.txt")), golden("not_purchased.txt"));
  EXPECT_EQ(test::read_file(dir.file("list3.txt")), golden("purchased.txt"));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(Writer, EachOfTheThreeFilesSucceedsOrFailsOnItsOwn) {
  std::filesystem::create_directory(dir.file("pump1.csv"));
  ws.current_file_name = dir.file("pump.dxf");
  EXPECT_EQ(write_three_files(ws, notifier, OutputNaming::Current),
            (std::vector<std::string>{dir.file("pump2.csv"), dir.file("pump3.csv")}));
  EXPECT_TRUE(said_cannot_write(1));
  EXPECT_EQ(test::read_file(dir.file("pump3.csv")), golden("purchased.txt"));
}

TEST_F(Writer, CancelledDialogsAndNamesTooShortReportAndWriteNothing) {
  ws.current_file_name = dir.file("pump.dxf");
  answer_dialog({std::nullopt, std::string(), std::nullopt});
  EXPECT_FALSE(write(Selection::All, OutputNaming::Dialog));
  EXPECT_EQ(ws.current_file_name, "");
  // An empty answer is no name either.
  EXPECT_FALSE(write(Selection::Purchased, OutputNaming::Dialog));
  // A cancelled three-file output says so once and writes none of the three.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(write_three_files(ws, notifier, OutputNaming::DialogRewritten, dialog).empty());
  std::filesystem::current_path(previous);
  EXPECT_TRUE(said_cannot_write(3));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  EXPECT_EQ(rewrite_output_ending("abc", Selection::All, OutputKind::Txt), std::nullopt);
  EXPECT_EQ(rewrite_output_ending("abcd", Selection::Supplied, OutputKind::Csv), "1.csv");
  EXPECT_EQ(rewrite_output_ending("abcd", Selection::NotPurchased, OutputKind::Txt), std::nullopt);
  EXPECT_EQ(rewrite_output_ending("abcde", Selection::Purchased, OutputKind::Txt), "3.txt");
  // Positions count bytes: the ending of a Shift-JIS name is replaced byte-wise.
  EXPECT_EQ(rewrite_output_ending(sjis("図面.dxf"), Selection::All, OutputKind::Txt),
            sjis("図面.txt"));
}

// The cut counts bytes but never splits a character of the system's path encoding (Shift-JIS on
// Windows, UTF-8 elsewhere) and never reaches past the last folder separator.
TEST(OutputNameRewrite, NeverSplitsACharacterOrReachesIntoAFolder) {
  struct Case {
    std::string name;
    Selection selection;
    std::optional<std::string> windows;
    std::optional<std::string> posix;
  };
  const std::string ban = sjis("盤図面");                   // 94 D5 90 7D 96 CA
  const std::string hyo2 = sjis("表表") + "ab";             // 95 5C 95 5C: trail bytes like '\\'
  const std::string utf8_ban = "\xE7\x9B\xA4\xE5\x9B\xB3";  // 盤図 in UTF-8
  const std::vector<Case> cases = {
      {ban, Selection::Supplied, sjis("盤") + "1.txt", std::nullopt},
      {ban, Selection::NotPurchased, std::nullopt,
       "\x94"
       "2.txt"},
      {utf8_ban + "abcd", Selection::All, utf8_ban + ".txt", utf8_ban + ".txt"},
      {utf8_ban + "xyz", Selection::All, "\xE7\x9B\xA4\xE5\x9B.txt", std::nullopt},
      {utf8_ban, Selection::All, "\xE7\x9B.txt", std::nullopt},
      {hyo2, Selection::Supplied, sjis("表") + "1.txt", std::nullopt},
      {"sub/ab", Selection::All, std::nullopt, std::nullopt},
      {"sub/abcd", Selection::All, "sub/.txt", "sub/.txt"},
      {"sub\\ab", Selection::All, std::nullopt, "su.txt"},
      {"C:ab", Selection::All, std::nullopt, ".txt"},
      {"dir/drawing.dxf", Selection::Purchased, "dir/drawin3.txt", "dir/drawin3.txt"},
  };
  for (const Case& c : cases) {
#ifdef _WIN32
    const std::optional<std::string>& expected = c.windows;
#else
    const std::optional<std::string>& expected = c.posix;
#endif
    EXPECT_EQ(rewrite_output_ending(c.name, c.selection, OutputKind::Txt), expected)
        << test::utf8(c.name);
  }
}

TEST_F(Writer, WithoutACurrentNameTheOutputIsTheDefaultNameInTheCurrentFolder) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  ws.settings.file_save_mode2 = 1;
  std::vector<std::optional<std::string>> written;
  written.push_back(write(Selection::Supplied));
  written.push_back(write(Selection::NotPurchased));
  written.push_back(write(Selection::Purchased));
  ws.current_file_name.clear();
  ws.settings.file_save_mode2 = 0;
  written.push_back(write(Selection::All));
  std::filesystem::current_path(previous);
  EXPECT_EQ(written, (std::vector<std::optional<std::string>>{"default1.txt", "default2.txt",
                                                              "default3.txt", "default.csv"}));
  EXPECT_EQ(test::read_file(dir.path() / "default2.txt"), golden("not_purchased.txt"));
  EXPECT_EQ(test::read_file(dir.path() / "default.csv"), golden("all_rows.csv"));
}

TEST_F(Writer, AFailedWriteLeavesTheOldFileAsItWasAndReports) {
  ws.current_file_name = dir.file("out.csv");
  test::write_file(dir.file("out.csv"), "previous output");
  const auto attempt = [&](auto&& set_fault) {
    test::FaultyFileSystem fs;
    set_fault(fs);
    EXPECT_FALSE(write(Selection::All));
  };
  attempt([](test::FaultyFileSystem& fs) { fs.fail_create = true; });
  attempt([](test::FaultyFileSystem& fs) {
    fs.fail_write = true;
    fs.write_budget = 10;
  });
  attempt([](test::FaultyFileSystem& fs) { fs.fail_close = true; });
  attempt([](test::FaultyFileSystem& fs) { fs.fail_replace = true; });
  EXPECT_TRUE(said_cannot_write(4));
  EXPECT_EQ(test::read_file(dir.file("out.csv")), "previous output");

  // A real failure: the target is a folder.
  std::filesystem::create_directory(dir.file("folder.csv"));
  ws.current_file_name = dir.file("folder.csv");
  EXPECT_FALSE(write(Selection::All));
  EXPECT_TRUE(said_cannot_write(5));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.csv")));
  // Nothing but the old file and the folder remain: no temporary file was left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
}  // namespace korvane
