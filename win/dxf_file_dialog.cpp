#include "dxf_file_dialog.h"
#include "guarded_proc.h"

#include <commctrl.h>
#include <shlobj.h>

#include <array>
#include <cstdio>
#include <string>

#include "dialog_controls.h"
#include "file_dialogs.h"
#include "resource.h"
#include "toolbar.h"
#include "wide.h"
#include "workspace.h"

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
constexpr int kNameColumn = 0;
constexpr int kFolderColumn = 1;
constexpr int kToolbarHeight = 42;  // the list starts below the toolbar
constexpr int kListWidth = 750;
constexpr int kListHeight = 486;

constexpr wchar_t kCannotAddText[] = L"読込出来ません！";
constexpr wchar_t kCannotAddTitle[] = L"ファイル追加操作";

constexpr INT_PTR kRan = 1;  // the dialog's result when the list was run

struct DialogState {
  HINSTANCE instance;
  Workspace& ws;
};

DialogState& state_of(HWND dialog) {
  return *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_DXF_LIST); }

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

// Appends the row of one file as the file system describes it.
void append_row(HWND list, std::wstring_view folder, const WIN32_FIND_DATAW& found) {
  const std::array<std::wstring, 4> cells = {found.cFileName, std::wstring(folder),
                                             std::to_wstring(found.nFileSizeLow),
                                             date_time_text(found.ftLastWriteTime)};
  insert_list_row(list, static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)), cells);
}

std::wstring cell_text(HWND list, int row, int column) {
  std::wstring text(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<std::size_t>(length));
  return text;
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
  DialogState& state = state_of(dialog);
  const std::wstring folder = browse_for_folder(dialog, state.ws.settings.file_folder);
  if (folder.empty()) return;
  // The settings file keeps 255 bytes of it; a longer path, or one that Shift-JIS cannot hold,
  // is used but not remembered.
  if (const auto sjis = narrow_exactly(folder); sjis && sjis->size() < kPathCapacity) {
    state.ws.settings.file_folder = *sjis;
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
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) append_row(list, folder, found);
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
  append_row(list_of(dialog), folder, found);
}

void delete_selected(HWND dialog) {
  HWND list = list_of(dialog);
  for (int row; (row = first_selected_row(list)) >= 0;) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  }
}

// Every row becomes a chosen file: the list's length is the user's to decide.
void run_list(HWND dialog) {
  DialogState& state = state_of(dialog);
  HWND list = list_of(dialog);
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  state.ws.chosen_files.clear();
  for (int row = 0; row < count; ++row) {
    // A drawing whose path Shift-JIS cannot hold is named in a message and left out.
    if (auto path = path_from_wide(dialog, join_path(cell_text(list, row, kFolderColumn),
                                                     cell_text(list, row, kNameColumn)))) {
      state.ws.chosen_files.push_back(std::move(*path));
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

INT_PTR on_init(HWND dialog, DialogState& state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  HWND toolbar = create_picture_toolbar(dialog, state.instance, IDC_DXF_TOOLBAR, IDB_DXF_TOOLBAR,
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
      SendMessageW(list_of(dialog), LVM_DELETEALLITEMS, 0, 0);
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
      return on_init(dialog, *reinterpret_cast<DialogState*>(lparam));
    case WM_SIZE:
      lay_out(dialog);
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->code != TTN_GETDISPINFOW || !GetWindowLongPtrW(dialog, DWLP_USER)) return FALSE;
      fill_tooltip(header, state_of(dialog).instance, IDT_DXF_ADD_FOLDER, kTooltips);
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

bool run_dxf_file_dialog(HWND owner, HINSTANCE instance, Workspace& ws) {
  DialogState state{instance, ws};
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DXF_FILES), owner,
                         guarded<dxf_file_dialog_proc>, reinterpret_cast<LPARAM>(&state)) == kRan;
}

}  // namespace korvane::win
