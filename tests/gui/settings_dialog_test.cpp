#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dialog_session.h"
#include "gui_driver.h"
#include "main_window_fixture.h"
#include "resource.h"
#include "settings/settings_form.h"
#include "settings_dialog.h"
#include "test_support.h"
#include "wide.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::DialogDriver;

constexpr int kStaticId = 0xFFFF;  // labels have no id of their own

// What the dialog showed, read on the driver's thread while it was open.
struct Control {
  int id = 0;
  std::wstring class_name;
  std::wstring text;
  RECT rect{};  // in the dialog's client coordinates
  std::vector<std::wstring> items;
  bool checked = false;
};

struct Snapshot {
  std::wstring caption;
  std::wstring font_face;
  SIZE client{};
  RECT units{0, 0, 4, 8};  // 4 x 8 dialog units, in pixels
  std::vector<Control> controls;

  const Control* by_id(int id) const {
    for (const Control& c : controls) {
      if (c.id == id) return &c;
    }
    return nullptr;
  }
  std::wstring text(int id) const {
    const Control* c = by_id(id);
    return c ? c->text : L"(missing)";
  }
};

RECT client_rect_of(HWND dialog, RECT screen) {
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&screen), 2);
  return screen;
}

Snapshot snapshot(HWND dialog) {
  Snapshot s;
  s.caption = test::window_text(dialog);
  RECT client;
  GetClientRect(dialog, &client);
  s.client = {client.right, client.bottom};
  MapDialogRect(dialog, &s.units);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0))) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    s.font_face = lf.lfFaceName;
  }
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    Control c;
    c.id = GetDlgCtrlID(child);
    c.class_name = test::class_name(child);
    c.text = test::window_text(child);
    RECT r;
    GetWindowRect(child, &r);
    c.rect = client_rect_of(dialog, r);
    if (c.class_name == L"ComboBox") {
      const auto count = SendMessageW(child, CB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[64] = {};
        SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        c.items.push_back(item);
      }
    }
    c.checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
    s.controls.push_back(std::move(c));
  }
  return s;
}

// On the driver's thread: the visible dialog of `thread` titled `title`, once it shows (null
// after `timeout_ms`).
HWND wait_for_dialog(DWORD thread, const std::wstring& title, int timeout_ms = 10000) {
  struct Search {
    const std::wstring* title;
    HWND found;
  };
  for (int i = 0; i < timeout_ms / 20; ++i) {
    Search search{&title, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (IsWindowVisible(hwnd) && test::class_name(hwnd) == L"#32770" &&
              test::window_text(hwnd) == *s->title) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  }
  return nullptr;
}

void wait_until_closed(HWND window) {
  for (int i = 0; i < 500 && IsWindow(window); ++i) Sleep(20);
}

void set_text(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A click as the mouse gives it; for buttons that open no window (the handler runs before this
// returns).
void click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// For buttons that open a modal window: the click is handled once this thread lets go.
void post_click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void close_box(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

// The sample settings of the program's folder of samples.
Settings sample_settings() {
  Settings s;
  parse_settings(s, test::read_file(std::string(KORVANE_SOURCE_DIR) + "/samples/Korvane.ini"));
  return s;
}

// Every field away from its initial value.
Settings every_field_set() {
  Settings s;
  for (std::size_t n = 0; n < 5; ++n) {
    s.part_file[n] = test::sjis("部品") + std::to_string(n + 1) + ".txt";
    s.kinsi_file[n] = "words" + std::to_string(n + 1) + ".txt";
  }
  s.part_select = 2;
  for (std::size_t i = 0; i < 8; ++i) {
    s.columns[i] = {test::sjis("列") + std::to_string(i), i == 0 ? 1 : int(i) + 2, 20 + int(i),
                    i == 0 ? "" : "k" + std::to_string(i)};
  }
  s.column_map.drawing = 7;
  s.column_map.part_name = 6;
  s.column_map.maker = 5;
  s.column_map.spec = 4;
  s.column_map.type = 3;
  s.column_map.quantity = 2;
  s.column_map.supply = 1;
  s.file_save_mode = 1;
  s.file_save_mode2 = 1;
  s.pt_x = 11;
  s.pt_y = 77;
  s.file_folder = "D:\\dxf";
  return s;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override { std::filesystem::current_path(previous_dir_); }

  // Opens the dialog over no window; `action` drives it from the driver's thread and must close
  // it. Returns when it is closed.
  void run_dialog(std::function<void(HWND)> action) {
    DialogDriver driver;
    driver.expect(L"環境設定", [this, action = std::move(action)](HWND dialog) {
      shown_ = snapshot(dialog);
      action(dialog);
    });
    win::run_settings_dialog(nullptr, ws_);
    EXPECT_TRUE(driver.all_handled());
    seen_ = driver.seen();
  }

  std::string file_path(const char* name) const { return (dir_.path() / name).string(); }

  test::TempDir dir_;
  std::filesystem::path previous_dir_;
  Workspace ws_;
  Snapshot shown_;
  std::vector<test::SeenDialog> seen_;
};

struct Expected {
  int id;
  const wchar_t* class_name;
  const wchar_t* text;  // buttons and labels; nullptr for edits and combos
  int x, y, w, h;
};

std::vector<Expected> expected_controls() {
  std::vector<Expected> e;
  const int radios[] = {IDC_SET_PAIR1, IDC_SET_PAIR2, IDC_SET_PAIR3, IDC_SET_PAIR4, IDC_SET_PAIR5};
  const int parts[] = {IDC_SET_PART_FILE1, IDC_SET_PART_FILE2, IDC_SET_PART_FILE3,
                       IDC_SET_PART_FILE4, IDC_SET_PART_FILE5};
  const int part_dirs[] = {104, 105, 106, 107, 111};
  for (int n = 0; n < 5; ++n) {
    const int y = 12 + 16 * n;
    e.push_back({radios[n], L"Button", L"", 4, y, 8, 12});
    e.push_back({parts[n], L"Edit", nullptr, 12, y, 120, 12});
    e.push_back({part_dirs[n], L"Button", L"DIR", 132, y, 16, 12});
    e.push_back({438 + n, L"Edit", nullptr, 148, y, 120, 12});
    e.push_back({112 + n, L"Button", L"DIR", 268, y, 16, 12});
  }
  e.push_back({kStaticId, L"Static", L"部品ファイル", 48, 4, 40, 8});
  e.push_back({kStaticId, L"Static", L"禁止文字ファイル", 184, 4, 52, 8});
  const int comments[] = {409, 410, 411, 412, 413, 401, 402, 414};
  const int drop[] = {68, 66, 68, 70, 68, 66, 68, 68};
  const wchar_t* numbers[] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"};
  for (int i = 0; i < 8; ++i) {
    const int y = 108 + 14 * i;
    e.push_back({kStaticId, L"Static", numbers[i], 8, y + 2, 4, 8});
    e.push_back({comments[i], L"Edit", nullptr, 16, y, 52, 12});
    e.push_back({301 + i, L"ComboBox", nullptr, 72, y, 24, drop[i]});
    e.push_back({417 + i, L"Edit", nullptr, 100, y, 20, 12});
    e.push_back({427 + i, L"Edit", nullptr, 124, y, 28, 12});
  }
  e.push_back({kStaticId, L"Static", L"コメント", 28, 100, 24, 8});
  e.push_back({kStaticId, L"Static", L"順序", 76, 100, 16, 8});
  e.push_back({kStaticId, L"Static", L"幅", 106, 100, 8, 8});
  e.push_back({kStaticId, L"Static", L"固定文字", 124, 100, 28, 8});
  e.push_back({kStaticId, L"Static", L"ﾘｽﾄﾋﾞｭｰの順番", 164, 100, 48, 8});
  const Expected fields[] = {{311, L"ComboBox", nullptr, 188, 108, 20, 68},
                             {kStaticId, L"Static", L"Tag.No.", 164, 110, 24, 10},
                             {312, L"ComboBox", nullptr, 188, 122, 20, 68},
                             {kStaticId, L"Static", L"（１）", 172, 124, 12, 10},
                             {313, L"ComboBox", nullptr, 188, 136, 20, 68},
                             {kStaticId, L"Static", L"部品名", 166, 138, 22, 10},
                             {314, L"ComboBox", nullptr, 188, 150, 20, 68},
                             {kStaticId, L"Static", L"メーカ", 168, 152, 20, 10},
                             {315, L"ComboBox", nullptr, 188, 164, 20, 68},
                             {kStaticId, L"Static", L"ｽﾍﾟｯｸ", 166, 166, 18, 10},
                             {316, L"ComboBox", nullptr, 188, 178, 20, 68},
                             {kStaticId, L"Static", L"型式", 172, 180, 16, 10},
                             {317, L"ComboBox", nullptr, 188, 192, 20, 68},
                             {kStaticId, L"Static", L"数量", 172, 194, 16, 10},
                             {309, L"ComboBox", nullptr, 188, 206, 20, 68},
                             {kStaticId, L"Static", L"支給", 172, 208, 16, 10},
                             {117, L"Button", L"再読込", 224, 92, 48, 16},
                             {kStaticId, L"Static", L"ファイルの保存方法", 220, 116, 60, 8},
                             {310, L"ComboBox", nullptr, 216, 128, 32, 68},
                             {109, L"ComboBox", nullptr, 248, 128, 36, 68},
                             {kStaticId, L"Static", L"Ｘ座標±", 228, 148, 28, 12},
                             {436, L"Edit", nullptr, 256, 146, 20, 12},
                             {kStaticId, L"Static", L"Ｙ座標＋", 228, 164, 28, 8},
                             {437, L"Edit", nullptr, 256, 162, 20, 12},
                             {108, L"Button", L"ＯＫ", 220, 180, 60, 36}};
  e.insert(e.end(), std::begin(fields), std::end(fields));
  return e;
}

TEST_F(SettingsDialogTest, EveryControlSitsAtItsPlaceWithItsIdAndText) {
  ws_.settings = sample_settings();
  run_dialog([](HWND dialog) { close_box(dialog); });
  EXPECT_EQ(shown_.caption, L"環境設定");
  EXPECT_EQ(shown_.font_face, L"ＭＳ Ｐゴシック");
  const LONG bx = shown_.units.right, by = shown_.units.bottom;  // pixels of 4 x 8 units
  auto px = [&](int x) { return MulDiv(x, bx, 4); };
  auto py = [&](int y) { return MulDiv(y, by, 8); };
  EXPECT_EQ(shown_.client.cx, px(287));
  EXPECT_EQ(shown_.client.cy, py(221));

  const std::vector<Expected> expected = expected_controls();
  EXPECT_EQ(shown_.controls.size(), expected.size());
  std::vector<bool> matched(shown_.controls.size());
  for (const Expected& e : expected) {
    SCOPED_TRACE(testing::Message()
                 << "id " << e.id << " " << test::utf8(win::narrow(e.text ? e.text : L"")));
    const Control* found = nullptr;
    for (std::size_t i = 0; i < shown_.controls.size(); ++i) {
      const Control& c = shown_.controls[i];
      if (matched[i] || c.id != e.id || (e.id == kStaticId && c.text != e.text)) continue;
      matched[i] = true;
      found = &c;
      break;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->class_name, e.class_name);
    if (e.text) {
      EXPECT_EQ(found->text, e.text);
    }
    // Place and size are converted separately, as the dialog manager does. A combo box's window
    // is its closed height.
    EXPECT_EQ(found->rect.left, px(e.x));
    EXPECT_EQ(found->rect.top, py(e.y));
    EXPECT_EQ(found->rect.right - found->rect.left, px(e.w));
    if (e.class_name != std::wstring(L"ComboBox")) {
      EXPECT_EQ(found->rect.bottom - found->rect.top, py(e.h));
    }
  }
}

TEST_F(SettingsDialogTest, FillsEveryControlFromTheRecord) {
  ws_.settings = every_field_set();
  run_dialog([](HWND dialog) { close_box(dialog); });
  EXPECT_EQ(shown_.text(IDC_SET_PART_FILE1), L"部品1.txt");
  EXPECT_EQ(shown_.text(IDC_SET_PART_FILE2), L"部品2.txt");
  EXPECT_EQ(shown_.text(IDC_SET_PART_FILE5), L"部品5.txt");
  EXPECT_EQ(shown_.text(IDC_SET_KINSI_FILE1), L"words1.txt");
  EXPECT_EQ(shown_.text(IDC_SET_KINSI_FILE5), L"words5.txt");
  for (int id : {IDC_SET_PAIR1, IDC_SET_PAIR2, IDC_SET_PAIR3, IDC_SET_PAIR4, IDC_SET_PAIR5}) {
    EXPECT_EQ(shown_.by_id(id)->checked, id == IDC_SET_PAIR2) << id;
  }
  const int comments[] = {409, 410, 411, 412, 413, 401, 402, 414};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shown_.text(comments[i]), L"列" + std::to_wstring(i));
    EXPECT_EQ(shown_.text(301 + i), std::to_wstring(i == 0 ? 1 : i + 2));
    EXPECT_EQ(shown_.text(417 + i), std::to_wstring(20 + i));
    EXPECT_EQ(shown_.text(427 + i), i == 0 ? L"" : L"k" + std::to_wstring(i));
  }
  const std::vector<std::wstring> orders = {L"0", L"2", L"3", L"4", L"5",
                                            L"6", L"7", L"8", L"9", L"10"};
  EXPECT_EQ(shown_.by_id(IDC_SET_JYUNBAN0)->items, std::vector<std::wstring>{L"1"});
  EXPECT_EQ(shown_.by_id(IDC_SET_JYUNBAN7)->items, orders);
  const std::vector<std::wstring> columns = {L"1", L"2", L"3", L"4", L"5", L"6", L"7"};
  EXPECT_EQ(shown_.by_id(IDC_SET_TA_NO)->items, std::vector<std::wstring>{L"0"});
  EXPECT_EQ(shown_.by_id(IDC_SET_SI_NO)->items, columns);
  const int fields[] = {IDC_SET_TA_NO, IDC_SET_A_NO,  IDC_SET_PA_NO, IDC_SET_MA_NO,
                        IDC_SET_SP_NO, IDC_SET_TY_NO, IDC_SET_SU_NO, IDC_SET_SI_NO};
  const wchar_t* field_texts[] = {L"0", L"7", L"6", L"5", L"4", L"3", L"2", L"1"};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(shown_.text(fields[k]), field_texts[k]) << k;
  EXPECT_EQ(shown_.by_id(IDC_SET_SAVE_MODE)->items, (std::vector<std::wstring>{L"分割", L"一括"}));
  EXPECT_EQ(shown_.text(IDC_SET_SAVE_MODE), L"一括");
  EXPECT_EQ(shown_.by_id(IDC_SET_SAVE_FORMAT)->items, (std::vector<std::wstring>{L"csv", L"txt"}));
  EXPECT_EQ(shown_.text(IDC_SET_SAVE_FORMAT), L"txt");
  EXPECT_EQ(shown_.text(IDC_SET_PT_X), L"11");
  EXPECT_EQ(shown_.text(IDC_SET_PT_Y), L"77");
  EXPECT_EQ(ws_.settings, every_field_set());  // the close box stored nothing

  // part_select 0: no radio checked.
  ws_.settings.part_select = 0;
  run_dialog([](HWND dialog) { close_box(dialog); });
  for (int id : {IDC_SET_PAIR1, IDC_SET_PAIR2, IDC_SET_PAIR3, IDC_SET_PAIR4, IDC_SET_PAIR5}) {
    EXPECT_FALSE(shown_.by_id(id)->checked) << id;
  }
}

TEST_F(SettingsDialogTest, OkStoresEveryFieldByTheDialogsRules) {
  ws_.settings = every_field_set();
  run_dialog([](HWND dialog) {
    set_text(dialog, IDC_SET_PART_FILE3, L"C:\\新しい\\parts3.txt");
    set_text(dialog, IDC_SET_KINSI_FILE5, L"");
    set_text(dialog, IDC_SET_COMMENT5, L"型番");
    set_text(dialog, IDC_SET_JYUNBAN0, L"5");  // the tag column: always 1
    set_text(dialog, IDC_SET_JYUNBAN2, L"12");
    set_text(dialog, IDC_SET_JYUNBAN3, L"abc");
    set_text(dialog, IDC_SET_HABA4, L"250");
    set_text(dialog, IDC_SET_KOTEI0, L"固定");  // shown, never stored
    set_text(dialog, IDC_SET_KOTEI6, L"2");
    set_text(dialog, IDC_SET_TA_NO, L"3");  // the tag number: always column 0
    set_text(dialog, IDC_SET_SI_NO, L"6");
    set_text(dialog, IDC_SET_SAVE_MODE, L"分割");
    set_text(dialog, IDC_SET_SAVE_FORMAT, L"CSV");
    set_text(dialog, IDC_SET_PT_X, L"-4");
    set_text(dialog, IDC_SET_PT_Y, L"9x");
    click(dialog, IDC_SET_OK);
  });
  Settings expected = every_field_set();
  expected.part_file[2] = test::sjis("C:\\新しい\\parts3.txt");
  expected.kinsi_file[4] = "";
  expected.columns[5].title = test::sjis("型番");
  expected.columns[2].text_number = 12;
  expected.columns[3].text_number = 0;
  expected.columns[4].width = 250;
  expected.columns[6].fixed_text = "2";
  expected.column_map.supply = 6;
  expected.file_save_mode = 0;
  expected.file_save_mode2 = 1;  // only "csv" in lower case is CSV
  expected.pt_x = -4;
  expected.pt_y = 9;
  EXPECT_EQ(ws_.settings, expected);

  // "一括", and a save format of "csv".
  run_dialog([](HWND dialog) {
    set_text(dialog, IDC_SET_SAVE_MODE, L"一括");
    set_text(dialog, IDC_SET_SAVE_FORMAT, L"csv");
    click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(ws_.settings.file_save_mode, 1);
  EXPECT_EQ(ws_.settings.file_save_mode2, 0);
}

TEST_F(SettingsDialogTest, ARadioStoresThePairAtOnceAndTheCloseBoxKeepsOnlyThat) {
  ws_.settings = every_field_set();
  ws_.base_parts.entries.push_back({"P", "T", "", "", 0, {}});
  ws_.prohibited_words.words = {"W"};
  test::write_file(dir_.path() / "parts4.txt", "Q,R,,,0,,,,,,,,,\r\n");
  std::vector<bool> checked;
  run_dialog([&checked](HWND dialog) {
    set_text(dialog, IDC_SET_COMMENT1, L"変えた");
    set_text(dialog, IDC_SET_PART_FILE3, L"parts4.txt");
    click(dialog, IDC_SET_PAIR3);
    for (int id = IDC_SET_PAIR1; id <= IDC_SET_PAIR5; ++id) {
      checked.push_back(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
    close_box(dialog);
  });
  EXPECT_EQ(checked, (std::vector<bool>{false, false, true, false, false}));
  Settings expected = every_field_set();
  expected.part_select = 3;
  EXPECT_EQ(ws_.settings, expected);
  ASSERT_EQ(ws_.base_parts.entries.size(), 1u);  // not reloaded
  EXPECT_EQ(ws_.prohibited_words.words, std::vector<std::string>{"W"});
}

TEST_F(SettingsDialogTest, ReloadStoresTheSelectedPairsPathsAndLoadsBothListsThere) {
  test::write_file(dir_.path() / "parts4.txt",
                   test::sjis("タイマ,T,H3Y,,0,,,,,,,,,\r\nリレー,R,MY,,1,,,,,,,,,\r\n"));
  test::write_file(dir_.path() / "words4.txt", "TITLE\r\nFG\r\n");
  ws_.settings = every_field_set();
  ws_.settings.part_select = 4;
  bool open_after_reload = false;
  run_dialog([&open_after_reload](HWND dialog) {
    set_text(dialog, IDC_SET_PART_FILE4, L"parts4.txt");
    set_text(dialog, IDC_SET_KINSI_FILE4, L"words4.txt");
    set_text(dialog, IDC_SET_PART_FILE2, L"other.txt");  // not the selected pair
    set_text(dialog, IDC_SET_PT_X, L"99");
    click(dialog, IDC_SET_RELOAD);
    open_after_reload = IsWindowVisible(dialog);
    close_box(dialog);
  });
  EXPECT_TRUE(open_after_reload);
  Settings expected = every_field_set();
  expected.part_select = 4;
  expected.part_file[3] = "parts4.txt";
  expected.kinsi_file[3] = "words4.txt";
  EXPECT_EQ(ws_.settings, expected);
  ASSERT_EQ(ws_.base_parts.entries.size(), 2u);
  EXPECT_EQ(ws_.base_parts.entries[1].part_name, test::sjis("リレー"));
  EXPECT_EQ(ws_.prohibited_words.words, (std::vector<std::string>{"TITLE", "FG"}));
  EXPECT_EQ(seen_.size(), 1u);  // no message
}

TEST_F(SettingsDialogTest, ReloadOfAMissingFileSaysSoOverTheDialogAndKeepsThatList) {
  test::write_file(dir_.path() / "words4.txt", "TITLE\r\n");
  ws_.settings = every_field_set();
  ws_.settings.part_select = 4;
  ws_.base_parts.entries.push_back({"P", "T", "", "", 0, {}});
  ws_.prohibited_words.words = {"W"};
  const DWORD ui_thread = GetCurrentThreadId();
  std::wstring message;
  bool owned_by_dialog = false;
  run_dialog([&](HWND dialog) {
    set_text(dialog, IDC_SET_PART_FILE4, L"missing.txt");
    set_text(dialog, IDC_SET_KINSI_FILE4, L"words4.txt");
    post_click(dialog, IDC_SET_RELOAD);
    if (HWND box = wait_for_dialog(ui_thread, L"ﾌｧｲﾙｴﾗｰ")) {
      message = test::dialog_item_text(box, 0xFFFF);
      owned_by_dialog = GetWindow(box, GW_OWNER) == dialog;
      DialogDriver::press(IDOK)(box);
      wait_until_closed(box);
    }
    close_box(dialog);
  });
  EXPECT_EQ(message, L"基部品Listファイルが開けません\nmissing.txt");
  EXPECT_TRUE(owned_by_dialog);
  EXPECT_EQ(ws_.settings.part_file[3], "missing.txt");
  ASSERT_EQ(ws_.base_parts.entries.size(), 1u);
  EXPECT_EQ(ws_.base_parts.entries[0].part_name, "P");
  EXPECT_EQ(ws_.prohibited_words.words, std::vector<std::string>{"TITLE"});
}

TEST_F(SettingsDialogTest, ReloadWithoutAPairDoesNothing) {
  test::write_file(dir_.path() / "parts1.txt", "Q,R,,,0,,,,,,,,,\r\n");
  ws_.settings = every_field_set();
  ws_.settings.part_select = 0;
  run_dialog([](HWND dialog) {
    set_text(dialog, IDC_SET_PART_FILE1, L"parts1.txt");
    click(dialog, IDC_SET_RELOAD);
    close_box(dialog);
  });
  Settings expected = every_field_set();
  expected.part_select = 0;
  EXPECT_EQ(ws_.settings, expected);
  EXPECT_TRUE(ws_.base_parts.entries.empty());
  EXPECT_EQ(seen_.size(), 1u);
}

TEST_F(SettingsDialogTest, DirOpensTheLocateDialogOnTheEditsPathAndPutsTheChoiceThere) {
  std::filesystem::create_directory(dir_.path() / "lists");
  test::write_file(dir_.path() / "lists" / "old.txt", "");
  test::write_file(dir_.path() / "lists" / "new.txt", "");
  ws_.settings = every_field_set();
  ws_.settings.part_file[1] = win::narrow((dir_.path() / "lists" / "old.txt").wstring());
  const DWORD ui_thread = GetCurrentThreadId();
  std::vector<std::wstring> types;
  std::wstring part_edit, kinsi_edit;
  run_dialog([&](HWND dialog) {
    post_click(dialog, IDC_SET_PART_DIR2);
    if (HWND box = wait_for_dialog(ui_thread, L"ファイルの在処を指定")) {
      HWND combo = GetDlgItem(box, 0x470);  // cmb1, the file types
      for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        types.push_back(text);
      }
      // A bare name: the dialog must have opened in the folder of the edit's path.
      DialogDriver::enter_file_name(L"new.txt")(box);
      wait_until_closed(box);
    }
    post_click(dialog, IDC_SET_KINSI_DIR3);
    if (HWND box = wait_for_dialog(ui_thread, L"ファイルの在処を指定")) {
      DialogDriver::press(IDCANCEL)(box);
      wait_until_closed(box);
    }
    part_edit = test::dialog_item_text(dialog, IDC_SET_PART_FILE2);
    kinsi_edit = test::dialog_item_text(dialog, IDC_SET_KINSI_FILE3);
    close_box(dialog);
  });
  EXPECT_EQ(types, (std::vector<std::wstring>{L"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", L"ALLFile(*.*)"}));
  EXPECT_EQ(part_edit, (dir_.path() / "lists" / "new.txt").wstring());
  EXPECT_EQ(kinsi_edit, L"words3.txt");  // cancelled
  // The edit's text reaches the record only through "ＯＫ" or "再読込".
  EXPECT_EQ(ws_.settings.part_file[1], win::narrow((dir_.path() / "lists" / "old.txt").wstring()));
  // Korvane.ini and relative reference paths are still found where the program started.
  EXPECT_EQ(std::filesystem::current_path(), dir_.path());
}

// Each of the ten "DIR" buttons puts the chosen file into the path edit beside it, and only there.
TEST_F(SettingsDialogTest, EveryDirButtonFillsItsOwnEdit) {
  struct Row {
    int button;
    int edit;
  };
  const Row rows[] = {
      {IDC_SET_PART_DIR1, IDC_SET_PART_FILE1},   {IDC_SET_PART_DIR2, IDC_SET_PART_FILE2},
      {IDC_SET_PART_DIR3, IDC_SET_PART_FILE3},   {IDC_SET_PART_DIR4, IDC_SET_PART_FILE4},
      {IDC_SET_PART_DIR5, IDC_SET_PART_FILE5},   {IDC_SET_KINSI_DIR1, IDC_SET_KINSI_FILE1},
      {IDC_SET_KINSI_DIR2, IDC_SET_KINSI_FILE2}, {IDC_SET_KINSI_DIR3, IDC_SET_KINSI_FILE3},
      {IDC_SET_KINSI_DIR4, IDC_SET_KINSI_FILE4}, {IDC_SET_KINSI_DIR5, IDC_SET_KINSI_FILE5}};
  ws_.settings = every_field_set();
  const DWORD ui_thread = GetCurrentThreadId();
  std::map<int, std::wstring> before, after;
  std::vector<int> opened;
  run_dialog([&](HWND dialog) {
    for (const Row& row : rows) before[row.edit] = test::dialog_item_text(dialog, row.edit);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      const std::wstring name = L"chosen" + std::to_wstring(i) + L".txt";
      test::write_file(dir_.path() / name, "");
      post_click(dialog, rows[i].button);
      if (HWND box = wait_for_dialog(ui_thread, L"ファイルの在処を指定")) {
        opened.push_back(rows[i].button);
        DialogDriver::enter_file_name((dir_.path() / name).wstring())(box);
        wait_until_closed(box);
      }
    }
    for (const Row& row : rows) after[row.edit] = test::dialog_item_text(dialog, row.edit);
    close_box(dialog);
  });
  ASSERT_EQ(opened.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(after[rows[i].edit],
              (dir_.path() / (L"chosen" + std::to_wstring(i) + L".txt")).wstring())
        << "DIR " << rows[i].button << " was " << test::utf8(win::narrow(before[rows[i].edit]));
  }
}

// Enter and Escape in a field neither close the dialog nor store it, also after a "DIR" button
// has had the focus.
TEST_F(SettingsDialogTest, EnterAndEscapeLeaveItOpen) {
  ws_.settings = every_field_set();
  const DWORD ui_thread = GetCurrentThreadId();
  bool open_after_keys = false;
  bool file_dialog_opened = false;
  run_dialog([&](HWND dialog) {
    set_text(dialog, IDC_SET_COMMENT0, L"変えた");
    for (int field : {IDC_SET_COMMENT0, IDC_SET_PT_X, IDC_SET_PART_FILE1}) {
      test::press_key(dialog, field, VK_RETURN);
      test::press_key(dialog, field, VK_ESCAPE);
    }
    SendMessageW(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SET_PART_DIR1)), TRUE);
    post_click(dialog, IDC_SET_PART_DIR1);
    if (HWND box = wait_for_dialog(ui_thread, L"ファイルの在処を指定")) {
      DialogDriver::press(IDCANCEL)(box);
      wait_until_closed(box);
    }
    SendMessageW(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SET_PART_FILE1)), TRUE);
    test::press_key(dialog, IDC_SET_PART_FILE1, VK_RETURN);
    test::press_key(dialog, IDC_SET_PART_FILE1, VK_ESCAPE);
    // A file dialog that Enter opened would be showing by now; a second's look finds it.
    if (HWND box = wait_for_dialog(ui_thread, L"ファイルの在処を指定", 1000)) {
      file_dialog_opened = true;
      DialogDriver::press(IDCANCEL)(box);
      wait_until_closed(box);
    }
    open_after_keys = IsWindow(dialog) && IsWindowVisible(dialog);
    if (IsWindow(dialog)) close_box(dialog);
  });
  EXPECT_TRUE(open_after_keys);
  EXPECT_FALSE(file_dialog_opened);
  EXPECT_EQ(ws_.settings, every_field_set());  // nothing stored
}

// The dialog as the main window opens it: command 37831 and the first start.
class SettingsCommandTest : public test::MainWindowTest {
 protected:
  std::wstring column_title(int k) {
    wchar_t title[128] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 128;
    SendMessageW(list(), LVM_GETCOLUMNW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&column));
    return title;
  }
};

TEST_F(SettingsCommandTest, TheCommandShowsTheDialogThenAlwaysTheRestartNotice) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  HWND owner = nullptr;
  DialogDriver driver;
  driver.expect(L"環境設定", [&owner](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    set_text(dialog, IDC_SET_COMMENT1, L"品番");
    close_box(dialog);
  });
  driver.expect(L"再起動をしよう！", DialogDriver::press(IDOK));
  command(IDM_SETTINGS);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(owner, main_);
  ASSERT_EQ(driver.seen().size(), 2u);
  EXPECT_EQ(driver.seen()[1].text, L"設定を有効にする場合は、再起動して下さい。");
  EXPECT_EQ(app_.ws.settings.columns[1].title, test::sjis("図番"));  // closed: not stored

  DialogDriver ok;
  ok.expect(L"環境設定", [](HWND dialog) {
    set_text(dialog, IDC_SET_COMMENT1, L"品番");
    set_text(dialog, IDC_SET_PT_Y, L"80");
    click(dialog, IDC_SET_OK);
  });
  ok.expect(L"再起動をしよう！", DialogDriver::press(IDOK));
  command(IDM_SETTINGS);
  ASSERT_TRUE(ok.all_handled());
  EXPECT_EQ(ok.seen().size(), 2u);
  EXPECT_EQ(app_.ws.settings.columns[1].title, test::sjis("品番"));
  EXPECT_EQ(app_.ws.settings.pt_y, 80);
  EXPECT_EQ(column_title(1), L"図番");  // the columns change at the next start
  close_main_window();
  const std::string ini = test::read_file(dir_.path() / "Korvane.ini");
  EXPECT_NE(ini.find(test::sjis("comment1=品番\r\n")), std::string::npos);
  EXPECT_NE(ini.find("pt_y=80\r\n"), std::string::npos);
}

TEST_F(SettingsCommandTest, APairPickedByRadioAndClosedGetsTheListsAtExit) {
  test::write_file(dir_.path() / "bp1.txt", test::sjis("電磁接触器,MC,S-T,三菱,0,,,,,,,,,\r\n"));
  test::write_file(dir_.path() / "kw1.txt", "TITLE\r\n");
  write_settings_file([](Settings& s) {
    s.part_select = 1;
    s.part_file[0] = "bp1.txt";
    s.kinsi_file[0] = "kw1.txt";
    s.part_file[2] = "bp3.txt";
    s.kinsi_file[2] = "kw3.txt";
  });
  ASSERT_TRUE(open_main_window());
  DialogDriver driver;
  driver.expect(L"環境設定", [](HWND dialog) {
    click(dialog, IDC_SET_PAIR3);
    close_box(dialog);
  });
  driver.expect(L"再起動をしよう！", DialogDriver::press(IDOK));
  command(IDM_SETTINGS);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(app_.ws.settings.part_select, 3);
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 1u);  // pair 1's lists, not reloaded
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "bp3.txt"));
  close_main_window();
  EXPECT_EQ(test::read_file(dir_.path() / "bp3.txt"),
            test::sjis("電磁接触器,MC,S-T,三菱,0,,,,,,,,,\r\n"));
  EXPECT_EQ(test::read_file(dir_.path() / "kw3.txt"), "TITLE\r\n");
  EXPECT_NE(test::read_file(dir_.path() / "Korvane.ini").find("part_select=3\r\n"),
            std::string::npos);
}

TEST_F(SettingsCommandTest, FirstStartNoOpensTheDialogWithTheInitialValuesAndOkStoresThem) {
  test::write_file(dir_.path() / "bp.txt", test::sjis("電磁接触器,MC,S-T,三菱,0,,,,,,,,,\r\n"));
  test::write_file(dir_.path() / "kw.txt", "TITLE\r\n");
  Snapshot shown;
  std::wstring owner;
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDNO));
  driver.expect(L"環境設定", [&](HWND dialog) {
    shown = snapshot(dialog);
    owner = test::window_text(GetWindow(dialog, GW_OWNER));
    set_text(dialog, IDC_SET_PART_FILE1, L"bp.txt");
    set_text(dialog, IDC_SET_KINSI_FILE1, L"kw.txt");
    click(dialog, IDC_SET_PAIR1);
    set_text(dialog, IDC_SET_COMMENT0, L"Tag");
    set_text(dialog, IDC_SET_HABA0, L"120");
    set_text(dialog, IDC_SET_JYUNBAN4, L"2");
    click(dialog, IDC_SET_OK);
  });
  ASSERT_TRUE(open_main_window());
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().size(), 2u);  // no restart notice at the first start
  EXPECT_EQ(owner, L"Korvane Ver1.06");

  // The record as it was before any file: the initial values.
  for (int id = IDC_SET_PAIR1; id <= IDC_SET_PAIR5; ++id) EXPECT_FALSE(shown.by_id(id)->checked);
  EXPECT_EQ(shown.text(IDC_SET_COMMENT0), L"");
  EXPECT_EQ(shown.text(IDC_SET_JYUNBAN0), L"0");
  EXPECT_EQ(shown.text(IDC_SET_HABA3), L"0");
  EXPECT_EQ(shown.text(IDC_SET_A_NO), L"1");
  EXPECT_EQ(shown.text(IDC_SET_SI_NO), L"7");
  EXPECT_EQ(shown.text(IDC_SET_SAVE_MODE), L"分割");
  EXPECT_EQ(shown.text(IDC_SET_SAVE_FORMAT), L"csv");
  EXPECT_EQ(shown.text(IDC_SET_PT_X), L"5");
  EXPECT_EQ(shown.text(IDC_SET_PT_Y), L"50");

  // Stored before the lists were loaded and the list view built.
  EXPECT_EQ(app_.ws.settings.part_select, 1);
  EXPECT_EQ(app_.ws.settings.part_file[0], "bp.txt");
  EXPECT_EQ(app_.ws.settings.columns[0].text_number, 1);
  EXPECT_EQ(app_.ws.settings.columns[4].text_number, 2);
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 1u);
  EXPECT_EQ(app_.ws.prohibited_words.words, std::vector<std::string>{"TITLE"});
  EXPECT_EQ(column_title(0), L"Tag");
  close_main_window();
  const std::string ini = test::read_file(dir_.path() / "Korvane.ini");
  EXPECT_NE(ini.find("comment0=Tag\r\njyunban0=1\r\nhaba0=120\r\n"), std::string::npos);
}

}  // namespace
}  // namespace korvane
