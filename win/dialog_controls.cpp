#include "dialog_controls.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "wide.h"

namespace korvane::win {

std::string control_text(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return narrow(text);
}

std::string item_text(HWND dialog, int id) { return control_text(GetDlgItem(dialog, id)); }

void set_item_text(HWND dialog, int id, std::string_view sjis) {
  SetDlgItemTextW(dialog, id, widen(sjis).c_str());
}

HWND create_dialog_list_view(HWND dialog, int id, int width, int height,
                             std::span<const ListColumn> columns) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND list = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT, 0, 0,
      width, height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  if (!list) return nullptr;
  // First in the tab order, as it is first on screen.
  SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const auto styles = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               static_cast<LPARAM>(styles | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  for (std::size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = columns[i].width;
    column.pszText = const_cast<wchar_t*>(columns[i].title);
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

void fit_dialog_to_list_view(HWND dialog, HWND list) {
  RECT list_rect{};
  GetWindowRect(list, &list_rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list_rect), 2);
  std::vector<HWND> others;
  RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == list) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    UnionRect(&bounds, &bounds, &r);
    others.push_back(child);
  }
  if (others.empty()) return;
  RECT margin{0, 0, 4, 4};  // dialog units, in pixels for this font
  MapDialogRect(dialog, &margin);
  const int down = static_cast<int>(list_rect.bottom + margin.bottom - bounds.top);
  for (HWND child : others) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(child, nullptr, r.left, r.top + down, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT frame{0, 0, std::max(list_rect.right, bounds.right + margin.right),
             bounds.bottom + down + margin.bottom};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT old{};
  GetWindowRect(dialog, &old);
  SetWindowPos(dialog, nullptr, (old.left + old.right - width) / 2,
               (old.top + old.bottom - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void grow_dialog_to_controls(HWND dialog) {
  RECT bounds{};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    UnionRect(&bounds, &bounds, &r);
  }
  RECT margin{0, 0, 1, 1};
  MapDialogRect(dialog, &margin);
  RECT client{};
  GetClientRect(dialog, &client);
  const int wider = std::max(0, static_cast<int>(bounds.right + margin.right - client.right));
  const int taller = std::max(0, static_cast<int>(bounds.bottom + margin.bottom - client.bottom));
  if (wider == 0 && taller == 0) return;
  RECT frame{};
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, frame.left - wider / 2, frame.top - taller / 2,
               frame.right - frame.left + wider, frame.bottom - frame.top + taller,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void insert_list_row(HWND list, int index, std::span<const std::string> cells) {
  std::vector<std::wstring> wide;
  for (const std::string& cell : cells) wide.push_back(widen(cell));
  insert_list_row(list, index, wide);
}

void insert_list_row(HWND list, int index, std::span<const std::wstring> cells) {
  if (cells.empty()) return;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(cells[0].c_str());
  item.lParam = index;
  const auto row =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  for (std::size_t column = 1; column < cells.size(); ++column) {
    LVITEMW sub{};
    sub.iSubItem = static_cast<int>(column);
    sub.pszText = const_cast<wchar_t*>(cells[column].c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
  }
}

int first_selected_row(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void mark_row_chosen(HWND list, int row) {
  constexpr UINT kChosen = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED;
  ListView_SetItemState(list, row, kChosen, kChosen);
}

void unselect_row(HWND list, int row) { ListView_SetItemState(list, row, 0, LVIS_SELECTED); }

}  // namespace korvane::win
