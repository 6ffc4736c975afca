#include "dialog_session.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace korvane::test {

namespace {

constexpr UINT kStepTimeoutMs = 10000;

bool is_dialog(HWND hwnd) { return hwnd && class_name(hwnd) == L"#32770"; }

}  // namespace

DialogSession::DialogSession() : ui_thread_(GetCurrentThreadId()) {
  answerer_ = std::thread([this] { answer_boxes(); });
}

DialogSession::~DialogSession() {
  stop_ = true;
  answerer_.join();
}

void DialogSession::on_open(std::wstring title, std::function<void(HWND)> steps) {
  driver_.expect(std::move(title), [this, steps = std::move(steps)](HWND dialog) {
    steps(dialog);
    steps_ran_ = true;
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
}

void DialogSession::answer(std::wstring title, std::function<void(HWND)> action) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_.emplace_back(std::move(title), std::move(action));
}

std::vector<std::wstring> DialogSession::take_boxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(boxes_, {});
}

// A message box of a dialog is a dialog owned by a dialog.
void DialogSession::answer_boxes() {
  std::vector<HWND> answered;
  while (!stop_) {
    std::vector<HWND> boxes;
    EnumThreadWindows(
        ui_thread_,
        [](HWND hwnd, LPARAM param) -> BOOL {
          if (IsWindowVisible(hwnd) && is_dialog(hwnd) && is_dialog(GetWindow(hwnd, GW_OWNER))) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes) {
      if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
      // Let the box finish creating its controls before reading them.
      SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
      std::function<void(HWND)> action;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        const std::wstring title = window_text(box);
        boxes_.push_back(title + L": " + dialog_item_text(box, 0xFFFF));
        const auto own = std::find_if(answers_.begin(), answers_.end(),
                                      [&](const auto& answer) { return answer.first == title; });
        if (own != answers_.end()) {
          action = std::move(own->second);
          answers_.erase(own);
        }
      }
      answered.push_back(box);
      if (action) {
        action(box);
      } else {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
    }
    Sleep(20);
  }
}

bool click(HWND dialog, int id) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL,
                             kStepTimeoutMs, &result) != 0;
}

void set_text(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void press_key(HWND dialog, int control_id, WPARAM key) {
  HWND control = GetDlgItem(dialog, control_id);
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  // Posted messages are taken in order: once a marker posted after the key has arrived, the key
  // has been handled.
  const std::wstring before = window_text(control);
  PostMessageW(control, WM_CHAR, L'#', 1);
  const ULONGLONG end = GetTickCount64() + kStepTimeoutMs;
  while (window_text(control) == before && GetTickCount64() < end) Sleep(10);
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
}

int row_count(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring cell_text(HWND list, int row, int column) {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

std::vector<std::wstring> column_texts(HWND list, int column) {
  std::vector<std::wstring> texts;
  for (int row = 0; row < row_count(list); ++row) texts.push_back(cell_text(list, row, column));
  return texts;
}

std::vector<std::pair<std::wstring, int>> list_columns(HWND list) {
  std::vector<std::pair<std::wstring, int>> columns;
  for (int c = 0;; ++c) {
    wchar_t title[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = 64;
    if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c),
                      reinterpret_cast<LPARAM>(&column))) {
      return columns;
    }
    columns.emplace_back(title, column.cx);
  }
}

void select_rows(HWND list, std::initializer_list<int> rows) {
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_DROPHILITED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  for (int row : rows) {
    LVITEMW item{};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

std::vector<int> selected_rows(HWND list) {
  std::vector<int> rows;
  for (int row = -1;
       (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                            MAKELPARAM(LVNI_SELECTED, 0)))) >= 0;) {
    rows.push_back(row);
  }
  return rows;
}

UINT row_state(HWND list, int row) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                        LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED));
}

}  // namespace korvane::test

namespace korvane::test {

void hold_for_screenshot(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("--crop %ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + 120000;
  while (IsWindow(window) && GetTickCount64() < end) Sleep(100);
}

}  // namespace korvane::test
