#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"
#include "convert/passes.h"
#include "reading_commands.h"
#include "reading_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::DialogSession;
using test::ReadingTest;
namespace fs = std::filesystem;

class ReadingCommandTest : public ReadingTest {
 protected:
  // The sample drawings as the folder browser lists them, run from the DXF file dialog.
  void run_sample_folder(int command_id) {
    DialogSession session;
    session.on_open(test::kDxfDialogTitle, [&](HWND dialog) {
      session.answer(test::kBrowserTitle, test::accept_folder(win::widen(native(drawings()))));
      test::click(dialog, IDT_DXF_ADD_FOLDER);
      test::click(dialog, IDT_DXF_RUN);
    });
    command(command_id);
    ASSERT_TRUE(session.steps_ran());
    ASSERT_EQ(app_.chosen_files.size(), test::kSampleDrawings.size());
  }

  // korvane-cli's convert on `drawings` with the same settings file (and `options`), its files
  // named from cli/out.dxf. Returns the folder they are in.
  fs::path convert_with_cli(const std::vector<std::string>& drawings,
                            std::vector<std::string> options = {}) {
    const fs::path out = dir_.path() / "cli";
    fs::create_directory(out);
    std::vector<std::string> args = {"convert", "--ini", native(dir_.path() / "Korvane.ini"),
                                     "--out", native(out / "out.dxf")};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), drawings.begin(), drawings.end());
    std::ostringstream printed, messages;
    EXPECT_EQ(cli::run(args, printed, messages), cli::kExitOk) << messages.str();
    return out;
  }

  std::string file(const fs::path& path) const {
    EXPECT_TRUE(fs::exists(path)) << path;
    return test::read_file(path);
  }
};

TEST_F(ReadingCommandTest, FolderReadAndConvertWritesThreeFilesAsTheCliDoes) {
  open_with_sample_settings([](Settings& s) {
    s.file_save_mode = 0;
    s.file_save_mode2 = 1;  // TXT
  });
  run_sample_folder(IDM_READ_FOLDER_CONVERT);
  const fs::path cli = convert_with_cli(app_.chosen_files);
  // Nothing chosen yet: the default names, beside Korvane.ini.
  for (const char* n : {"1", "2", "3"}) {
    EXPECT_EQ(file(dir_.path() / ("default" + std::string(n) + ".txt")),
              file(cli / ("out" + std::string(n) + ".txt")))
        << n;
  }
  EXPECT_FALSE(test::read_file(dir_.path() / "default1.txt").empty());
  EXPECT_EQ(test::window_text(main_), L"Korvane Ver1.06");
}

TEST_F(ReadingCommandTest, FolderReadAndConvertWritesOneFileAsTheCliDoes) {
  open_with_sample_settings([](Settings& s) {
    s.file_save_mode = 1;
    s.file_save_mode2 = 0;  // CSV
  });
  run_sample_folder(IDT_READ_FOLDER_CONVERT);
  const fs::path cli = convert_with_cli(app_.chosen_files);
  EXPECT_EQ(file(dir_.path() / "default.csv"), file(cli / "out.csv"));
  EXPECT_FALSE(fs::exists(dir_.path() / "default1.csv"));
}

TEST_F(ReadingCommandTest, FileReadAndConvertWritesBesideTheDrawing) {
  open_with_sample_settings([](Settings& s) { s.file_save_mode = 0; });
  const std::string drawing = native(drawings() / "main_circuit.dxf");
  DialogDriver driver;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(drawing)));
  command(IDM_READ_FILE_CONVERT);
  ASSERT_TRUE(driver.all_handled());
  const fs::path cli = convert_with_cli({drawing});
  for (const char* n : {"1", "2", "3"}) {
    EXPECT_EQ(file(drawings() / ("main_circuit" + std::string(n) + ".csv")),
              file(cli / ("out" + std::string(n) + ".csv")))
        << n;
  }

  // One file now: named from the last file written, as the writer leaves the current name.
  app_.ws.settings.file_save_mode = 1;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(drawing)));
  command(IDM_READ_FILE_CONVERT);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(file(drawings() / "main_circuit.csv"),
            file(convert_with_cli({drawing}, {"--one-file"}) / "out.csv"));
}

TEST_F(ReadingCommandTest, SingleReadShowsTheDrawingAndCancelLeavesTheListWithoutAName) {
  open_with_sample_settings([](Settings& s) {
    s.file_save_mode = 1;
    s.file_save_mode2 = 0;  // one CSV file
  });
  const std::string drawing = native(drawings() / "control_circuit.dxf");
  DialogDriver driver;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(drawing)));
  command(IDM_READ_DXF_FILE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised({drawing})));
  EXPECT_EQ(ListView_GetItemCount(list()), app_.ws.parts.row_count());
  EXPECT_EQ(app_.ws.current_file_name, drawing);

  // A drawing that gives nothing: the list, the text table and the name stay together.
  const auto before = rows_of(app_.ws.parts);
  const TextTable texts = app_.ws.texts;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込",
                DialogDriver::enter_file_name(win::widen(native(drawings() / "none.dxf"))));
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  command(IDM_READ_FILE_CONVERT);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().back().text, L"ＤＸＦ図面ファイルが開けません");
  EXPECT_EQ(rows_of(app_.ws.parts), before);
  EXPECT_EQ(app_.ws.texts, texts);
  EXPECT_EQ(app_.ws.current_file_name, drawing);
  EXPECT_FALSE(fs::exists(drawings() / "none.dxf"));

  // Cancelled: the list stays, but the name is gone, so the next output takes the default name
  // and leaves the files named after the drawing alone.
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::press(IDCANCEL));
  command(IDM_READ_FILE_CONVERT);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(rows_of(app_.ws.parts), before);
  EXPECT_EQ(app_.ws.current_file_name, "");
  EXPECT_EQ(std::distance(fs::directory_iterator(drawings()), {}), 3);  // nothing written
  run_sample_folder(IDM_READ_FOLDER_CONVERT);
  EXPECT_TRUE(fs::exists(dir_.path() / "default.csv"));
  EXPECT_EQ(std::distance(fs::directory_iterator(drawings()), {}), 3);
}

// The drawing read up to a byte that no ASCII DXF holds, halfway through its texts: the texts
// before it are recognised, read alone as in a batch, and the message is shown.
TEST_F(ReadingCommandTest, ADrawingThatFailsPartWayGivesTheTextsBeforeTheFault) {
  open_with_sample_settings();
  const std::string whole = test::read_file(drawings() / "main_circuit.dxf");
  const std::size_t cut = whole.find("  0\r\nTEXT\r\n", whole.size() / 2);
  ASSERT_NE(cut, std::string::npos);
  const std::string drawing = native(drawings() / "part_way.dxf");
  test::write_file(drawing, whole.substr(0, cut) + "\x82\xa0\r\n" + whole.substr(cut));
  const PartsList expected = recognised({drawing});
  ASSERT_FALSE(expected.empty());
  ASSERT_LT(expected.row_count(),
            recognised({native(drawings() / "main_circuit.dxf")}).row_count());
  const std::wstring message = L"ＡＳＣＩＩ形式のＤＸＦ図面ではないため読み込めません：";

  DialogDriver driver;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(drawing)));
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  command(IDM_READ_DXF_FILE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().back().text.substr(0, message.size()), message);
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(expected));
  EXPECT_EQ(ListView_GetItemCount(list()), expected.row_count());
  EXPECT_EQ(app_.ws.current_file_name, drawing);

  app_.ws.parts.delete_all();
  app_.chosen_files = {drawing};
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  EXPECT_TRUE(win::read_chosen_dxf_files(app_));
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(expected));
}

TEST_F(ReadingCommandTest, AReadWithoutPartsConvertsAndWritesNothing) {
  open_with_sample_settings([](Settings& s) { s.file_save_mode = 1; });
  test::write_file(drawings() / "notes.dxf",
                   "0\nSECTION\n2\nENTITIES\n0\nTEXT\n100\nAcDbText\n10\n1\n20\n2\n1\nNOTE\n"
                   "0\nENDSEC\n0\nEOF\n");
  DialogDriver driver;
  driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込",
                DialogDriver::enter_file_name(win::widen(native(drawings() / "notes.dxf"))));
  command(IDM_READ_FILE_CONVERT);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(app_.ws.texts.size(), 1u);
  EXPECT_TRUE(app_.ws.parts.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(drawings()), {}), 4);
  EXPECT_FALSE(fs::exists(dir_.path() / "default.csv"));
}

TEST_F(ReadingCommandTest, ADrawingThatCannotBeReadIsReportedAndTheOthersRead) {
  open_with_sample_settings();
  const std::string good1 = native(drawings() / "main_circuit.dxf");
  const std::string good2 = native(drawings() / "operation_board.dxf");
  const std::string gone = native(drawings() / "gone.dxf");
  app_.chosen_files = {good1, gone, good2};
  std::wstring caption_at_message;
  DialogDriver driver;
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", [&](HWND box) {
    caption_at_message = test::window_text(main_);
    DialogDriver::press(IDOK)(box);
  });
  EXPECT_TRUE(win::read_chosen_dxf_files(app_));
  ASSERT_TRUE(driver.all_handled());
  // The caption says which drawing of the batch the message is about, and is put back.
  EXPECT_EQ(caption_at_message, L"読込中 2/3 gone.dxf - Korvane Ver1.06");
  EXPECT_EQ(test::window_text(main_), L"Korvane Ver1.06");
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised({good1, good2})));

  // Not one drawing readable: the list stays as it was.
  const auto before = rows_of(app_.ws.parts);
  app_.chosen_files = {gone};
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  EXPECT_FALSE(win::read_chosen_dxf_files(app_));
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(rows_of(app_.ws.parts), before);
}

TEST_F(ReadingCommandTest, ConversionCommandsChangeTheListAsTheCoreDoes) {
  open_with_sample_settings();
  std::vector<std::string> paths;
  for (const std::string& name : test::kSampleDrawings) paths.push_back(native(drawings() / name));
  app_.chosen_files = paths;
  ASSERT_TRUE(win::read_chosen_dxf_files(app_));
  const Workspace read = app_.ws;

  struct Case {
    int command;
    std::vector<Pass> passes;
  };
  const Case cases[] = {{IDM_REMOVE_DUPLICATES, {Pass::Dedupe}},
                        {IDM_COMPLETE_NAMES, {Pass::Complete}},
                        {IDM_MERGE_QUANTITIES, {Pass::Merge}},
                        {IDM_SORT_PARTS, {Pass::Sort}},
                        {IDM_CONVERT_ALL, {Pass::Dedupe, Pass::Complete, Pass::Merge, Pass::Sort}},
                        {IDT_CONVERT_ALL, {Pass::Dedupe, Pass::Complete, Pass::Merge, Pass::Sort}}};
  for (const Case& c : cases) {
    app_.ws = read;
    win::show_parts(app_);
    Workspace expected = read;
    test::RecordingNotifier notifier;
    ASSERT_TRUE(run_passes(expected, notifier, c.passes));
    ASSERT_NE(rows_of(expected.parts), rows_of(read.parts));  // each pass has work to do here
    command(c.command);
    EXPECT_EQ(rows_of(app_.ws.parts), rows_of(expected.parts)) << c.command;
    EXPECT_EQ(ListView_GetItemCount(list()), expected.parts.row_count()) << c.command;
  }
  // The full conversion writes nothing.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), {}), 4);
}

}  // namespace
}  // namespace korvane
