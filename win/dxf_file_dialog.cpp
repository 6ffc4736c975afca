#include "dxf_file_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <array>
#include <cstdio>
#include <string>

#include "dialog_controls.h"
#include "file_dialogs.h"
#include "modal_dialog.h"
#include "resource.h"
#include "settings/settings.h"
#include "toolbar.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr int kButtonCount = 6;
constexpr std::array<const wchar_t*, kButtonCount> kTooltips = {
    L"フォルダ単位読込", L"このファイルで実行",     L"１ファイルを追加",
    L"１ファイルを削除", L"すべてのファイルを削除", L"キャンセルして閉じる"};
// The groups 920 | 921 | 922 923 924 | 925.
constexpr int kSeparatorPositions[] = {1, 3, 7};

constexpr ListColumn kColumns[] = {
    {L"FileName", 300}, {L"Folder", 200}, {L"File Size", 80}, {L"Date Time", 110}};
constexpr int kToolbarHeight = 42;  // the list starts below the toolbar
constexpr int kListWidth = 750;
constexpr int kListHeight = 486;

constexpr wchar_t kCannotAddText[] = L"読込出来ません！";
constexpr wchar_t kCannotAddTitle[] = L"ファイル追加操作";

constexpr INT_PTR kRan = 1;  // the dialog's result when the list was run

// One drawing of the list, as the file system described it when it was added.
struct FileRow {
  std::wstring name;
  std::wstring folder;
  std::wstring size;
  std::wstring date_time;
};

// The rows live here; the list view only shows them, row i being rows[i].
struct DialogState {
  DxfFileDialogData& data;
  std::vector<FileRow> rows;
  std::vector<std::string> chosen;  // what a run gives
};

DialogState& state_of(HWND dialog) { return *dialog_data<DialogState>(dialog); }

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_DXF_LIST); }

// The toolbar's pictures and texts are in the program's resources, as the template is.
HINSTANCE program() { return GetModuleHandleW(nullptr); }

bool ends_with_backslash(std::wstring_view path) {
  // In UTF-16 a backslash is never the trail byte of a double-byte character.
  return !path.empty() && path.back() == L'\\';
}

std::wstring join_path(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!ends_with_backslash(path)) path += L'\\';
  path += name;
  return path;
}

std::wstring date_time_text(const FILETIME& written) {
  SYSTEMTIME utc{};
  if (!FileTimeToSystemTime(&written, &utc)) return {};
  wchar_t text[32] = {};
  std::swprintf(text, 32, L"%02d/%02d/%02d %02d:%02d", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                utc.wMinute);
  return text;
}

// Appends the row of one file as the file system describes it, and shows it.
void append_row(HWND dialog, std::wstring_view folder, const WIN32_FIND_DATAW& found) {
  std::vector<FileRow>& rows = state_of(dialog).rows;
  rows.push_back({found.cFileName, std::wstring(folder), std::to_wstring(found.nFileSizeLow),
                  date_time_text(found.ftLastWriteTime)});
  const FileRow& row = rows.back();
  const std::array<std::wstring, 4> cells = {row.name, row.folder, row.size, row.date_time};
  insert_list_row(list_of(dialog), static_cast<int>(rows.size()) - 1, cells);
}

void say_cannot_add(HWND dialog) {
  MessageBoxW(dialog, kCannotAddText, kCannotAddTitle, MB_OK | MB_ICONWARNING);
}

int CALLBACK open_on_folder(HWND browser, UINT message, LPARAM, LPARAM folder) {
  // A browser still filling its tree may not find the path yet: it is asked once more when the
  // dialog is up.
  if (message == BFFM_INITIALIZED && !SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder)) {
    PostMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
  }
  return 0;
}

// The folder browser, opened on the remembered folder. Empty when cancelled.
std::wstring browse_for_folder(HWND dialog, const std::string& remembered) {
  const std::wstring start = widen(remembered);
  BROWSEINFOW info{};
  // Owned by the dialog, so the list cannot be run or closed while a folder is being picked.
  info.hwndOwner = dialog;
  info.lpszTitle = L"dxfファイルのフォルダを選択";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = open_on_folder;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (!item) return {};
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(item, path)) path[0] = L'\0';
  CoTaskMemFree(item);
  return path;
}

void add_folder(HWND dialog) {
  DxfFileDialogData& data = state_of(dialog).data;
  const std::wstring folder = browse_for_folder(dialog, data.folder);
  if (folder.empty()) return;
  // The settings file keeps 255 bytes of it; a longer path, or one that Shift-JIS cannot hold,
  // is used but not remembered.
  if (const auto sjis = narrow_exactly(folder); sjis && sjis->size() < kPathCapacity) {
    data.folder = *sjis;
  }
  HWND list = list_of(dialog);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(join_path(folder, L"*.dxf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    say_cannot_add(dialog);
    return;
  }
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) append_row(dialog, folder, found);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void add_file(HWND dialog) {
  const auto chosen = choose_dxf_file_to_add(dialog);
  if (!chosen) return;
  const std::wstring path = widen(*chosen);
  const std::size_t cut = path.rfind(L'\\');
  const std::wstring folder = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    say_cannot_add(dialog);
    return;
  }
  FindClose(search);
  append_row(dialog, folder, found);
}

void delete_selected(HWND dialog) {
  std::vector<FileRow>& rows = state_of(dialog).rows;
  HWND list = list_of(dialog);
  for (int row; (row = first_selected_row(list)) >= 0;) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    if (static_cast<std::size_t>(row) < rows.size()) rows.erase(rows.begin() + row);
  }
}

void delete_all(HWND dialog) {
  SendMessageW(list_of(dialog), LVM_DELETEALLITEMS, 0, 0);
  state_of(dialog).rows.clear();
}

// Every row becomes a chosen file: the list's length is the user's to decide.
void run_list(HWND dialog) {
  DialogState& state = state_of(dialog);
  state.chosen.clear();
  for (const FileRow& row : state.rows) {
    if (auto path = path_from_wide(dialog, join_path(row.folder, row.name))) {
      state.chosen.push_back(std::move(*path));
    }
  }
  EndDialog(dialog, kRan);
}

void lay_out(HWND dialog) {
  HWND toolbar = GetDlgItem(dialog, IDC_DXF_TOOLBAR);
  HWND list = list_of(dialog);
  if (!toolbar || !list) return;  // the dialog is sized before its controls are made
  RECT client{};
  GetClientRect(dialog, &client);
  SendMessageW(toolbar, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
  MoveWindow(list, 0, kToolbarHeight, client.right, client.bottom - kToolbarHeight, TRUE);
  SendMessageW(list, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
  InvalidateRect(dialog, nullptr, FALSE);
  UpdateWindow(dialog);
}

INT_PTR on_init(HWND dialog) {
  HWND toolbar = create_picture_toolbar(dialog, program(), IDC_DXF_TOOLBAR, IDB_DXF_TOOLBAR,
                                        IDT_DXF_ADD_FOLDER, kButtonCount, kSeparatorPositions);
  HWND list = create_dialog_list_view(dialog, IDC_DXF_LIST, kListWidth, kListHeight, kColumns);
  if (!toolbar || !list) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  MoveWindow(list, 0, kToolbarHeight, kListWidth, kListHeight, FALSE);
  // The dialog had its size before the list existed: fit the list to it now.
  lay_out(dialog);
  return TRUE;
}

INT_PTR on_command(HWND dialog, int id) {
  switch (id) {
    case IDT_DXF_ADD_FOLDER:
      add_folder(dialog);
      return TRUE;
    case IDT_DXF_RUN:
      run_list(dialog);
      return TRUE;
    case IDT_DXF_ADD_FILE:
      add_file(dialog);
      return TRUE;
    case IDT_DXF_DELETE_SELECTED:
      delete_selected(dialog);
      return TRUE;
    case IDT_DXF_DELETE_ALL:
      delete_all(dialog);
      return TRUE;
    case IDT_DXF_CANCEL:
    case IDCANCEL:  // Escape
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK dxf_file_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
    case WM_SIZE:
      lay_out(dialog);
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->code != TTN_GETDISPINFOW || !dialog_data<DialogState>(dialog)) return FALSE;
      fill_tooltip(header, program(), IDT_DXF_ADD_FOLDER, kTooltips);
      return TRUE;
    }
    case WM_COMMAND:
      return on_command(dialog, LOWORD(wparam));
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::vector<std::string>> run_dxf_file_dialog(HWND owner, DxfFileDialogData& data) {
  DialogState state{data, {}, {}};
  if (run_modal<dxf_file_dialog_proc>(owner, IDD_DXF_FILES, state) != kRan) return std::nullopt;
  return std::move(state.chosen);
}

}  // namespace korvane::win
