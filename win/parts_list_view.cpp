#include "parts_list_view.h"

#include <algorithm>
#include <unordered_map>

#include "app.h"
#include "dialog_controls.h"
#include "preview_window.h"
#include "resource.h"
#include "wide.h"

namespace korvane::win {
namespace {

bool is_centred_column(const Settings& s, int column) {
  return column == s.column_map.drawing || column == s.column_map.maker ||
         column == s.column_map.quantity || column == s.column_map.supply;
}

void insert_columns(HWND list, const Settings& settings) {
  for (int k = 0; k < kColumnCount; ++k) {
    const ColumnSetting& setting = settings.columns[static_cast<std::size_t>(k)];
    std::wstring title = widen(setting.title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = is_centred_column(settings, k) ? LVCFMT_CENTER : LVCFMT_LEFT;
    column.cx = setting.width;
    column.pszText = title.data();
    column.iSubItem = k;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(k),
                 reinterpret_cast<LPARAM>(&column));
  }
}

HFONT create_editor_font() {
  return CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     L"ＭＳゴシック");
}

// LVN_GETDISPINFO: the list view asks for the cells it is about to draw.
void fill_display_info(const App& app, NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::wstring text = widen(app.ws.parts.cell(item.iItem, item.iSubItem));
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), n, item.pszText);
    item.pszText[n] = L'\0';
  }
  if (item.mask & LVIF_STATE) {
    const auto& marks = app.parts_view.highlighted;
    const bool marked = item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < marks.size() &&
                        marks[static_cast<std::size_t>(item.iItem)];
    item.state = (item.state & ~static_cast<UINT>(LVIS_DROPHILITED)) |
                 (marked ? static_cast<UINT>(LVIS_DROPHILITED) : 0u);
  }
}

// Left click: every selected or focused row gets all three marks, every other row none, so the
// chosen rows stay visible while another window has the focus.
void highlight_selection(App& app) {
  PartsListView& view = app.parts_view;
  const int count = static_cast<int>(SendMessageW(view.list, LVM_GETITEMCOUNT, 0, 0));
  view.highlighted.assign(static_cast<std::size_t>(count), false);
  std::vector<int> chosen;
  for (int row = -1;
       (row = static_cast<int>(SendMessageW(view.list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                            MAKELPARAM(LVNI_SELECTED, 0)))) >= 0;) {
    chosen.push_back(row);
  }
  const int focused = static_cast<int>(
      SendMessageW(view.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused >= 0 && std::find(chosen.begin(), chosen.end(), focused) == chosen.end()) {
    chosen.push_back(focused);
  }
  for (int row : chosen) {
    if (row >= count) continue;
    ListView_SetItemState(view.list, row, kRowMarks, kRowMarks);
    view.highlighted[static_cast<std::size_t>(row)] = true;
  }
  InvalidateRect(view.list, nullptr, FALSE);
}

std::vector<int> rows_with(HWND list, UINT flag) {
  std::vector<int> rows;
  for (int row = -1;
       (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                            MAKELPARAM(flag, 0)))) >= 0;) {
    rows.push_back(row);
    if (flag == LVNI_FOCUSED) break;  // one row at most; the search would start over
  }
  return rows;
}

// The rows have changed under the list view, which keeps its marks by index: take them off every
// index and put them back on the rows that carry them, at the rows' new indices.
void carry_marks_over(PartsListView& view, const std::vector<RowId>& ids) {
  std::unordered_map<RowId, int> now_at;
  now_at.reserve(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) now_at.emplace(ids[i], static_cast<int>(i));
  // The new index of the row shown at `row`, or -1 when that row is gone.
  auto moved = [&](int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= view.shown_ids.size()) return -1;
    const auto it = now_at.find(view.shown_ids[static_cast<std::size_t>(row)]);
    return it == now_at.end() ? -1 : it->second;
  };

  view.restoring_marks = true;
  const std::vector<int> selected = rows_with(view.list, LVNI_SELECTED);
  const std::vector<int> focused = rows_with(view.list, LVNI_FOCUSED);
  std::vector<bool> highlighted(ids.size(), false);
  for (std::size_t row = 0; row < view.highlighted.size(); ++row) {
    const int to = moved(static_cast<int>(row));
    if (view.highlighted[row] && to >= 0) highlighted[static_cast<std::size_t>(to)] = true;
  }

  ListView_SetItemState(view.list, -1, 0, kRowMarks);
  ListView_SetItemCountEx(view.list, static_cast<int>(ids.size()), LVSICF_NOSCROLL);
  for (int row : selected) {
    if (const int to = moved(row); to >= 0)
      ListView_SetItemState(view.list, to, LVIS_SELECTED, LVIS_SELECTED);
  }
  int anchor = -1;  // where a Shift selection starts from
  if (!focused.empty()) {
    anchor = moved(focused.front());
    if (anchor >= 0) ListView_SetItemState(view.list, anchor, LVIS_FOCUSED, LVIS_FOCUSED);
  }
  ListView_SetSelectionMark(view.list, anchor);
  view.highlighted = std::move(highlighted);
  view.shown_ids = ids;
  view.restoring_marks = false;
}

}  // namespace

void create_parts_list_view(App& app) {
  PartsListView& view = app.parts_view;
  // Owner data: the rows live in the model and the list view reads them on demand.
  // WS_CLIPSIBLINGS keeps it from painting over the in-place editor above it.
  view.list = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA, 0, kListViewCreatedTop,
      kListViewCreatedWidth, kListViewCreatedHeight, app.main,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PARTS_LIST)), app.instance, nullptr);
  ListView_SetExtendedListViewStyleEx(view.list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                                      LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  ListView_SetCallbackMask(view.list, LVIS_DROPHILITED);
  insert_columns(view.list, app.ws.settings);
  view.editor_font = create_editor_font();
  show_parts(app);
}

void select_all_parts(App& app) {
  if (!app.parts_view.list) return;
  ListView_SetItemState(app.parts_view.list, -1, LVIS_SELECTED, LVIS_SELECTED);
  highlight_selection(app);
}

void release_parts_list_view(App& app) {
  PartsListView& view = app.parts_view;
  if (view.editor_font) DeleteObject(view.editor_font);
  view.editor_font = nullptr;
  view.list = nullptr;
  view.editor = {};
}

void show_parts(App& app) {
  PartsListView& view = app.parts_view;
  if (!view.list) return;
  const std::vector<RowId>& ids = app.ws.parts.row_ids();
  if (ids != view.shown_ids) carry_marks_over(view, ids);
  ListView_SetItemCountEx(view.list, static_cast<int>(ids.size()), LVSICF_NOSCROLL);
  InvalidateRect(view.list, nullptr, TRUE);
}

void choose_parts_row(App& app, int row) {
  HWND list = app.parts_view.list;
  if (!list || row < 0 || row >= app.ws.parts.row_count()) return;
  ListView_SetItemState(list, -1, 0, kRowMarks);
  ListView_SetItemState(list, row, kRowMarks, kRowMarks);
  ListView_SetSelectionMark(list, row);
  ListView_EnsureVisible(list, row, FALSE);
  highlight_selection(app);
}

void place_parts_list_view(App& app, int client_width, int client_height) {
  HWND list = app.parts_view.list;
  if (!list) return;
  MoveWindow(list, 0, kListViewTop, client_width, client_height - kListViewTop, TRUE);
  SendMessageW(list, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
}

LRESULT on_parts_list_notify(App& app, WPARAM wparam, LPARAM lparam) {
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  switch (header->code) {
    case LVN_GETDISPINFOW:
      fill_display_info(app, *reinterpret_cast<NMLVDISPINFOW*>(lparam));
      return 0;
    case LVN_ODFINDITEMW:
      return -1;  // no type-ahead search over the model
    case NM_CLICK:
      highlight_selection(app);
      return 0;
    case NM_RCLICK: {
      // The list view has already selected the row under the pointer.
      const auto* click = reinterpret_cast<NMITEMACTIVATE*>(lparam);
      open_cell_editor(app, click->iSubItem);
      return 0;
    }
    case LVN_COLUMNCLICK:
      return 0;
    case LVN_ITEMCHANGED: {
      // A row newly selected, by the mouse, the keyboard or the preview.
      const auto* change = reinterpret_cast<NMLISTVIEW*>(lparam);
      if (!app.parts_view.restoring_marks && change->iItem >= 0 &&
          (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
          !(change->uOldState & LVIS_SELECTED)) {
        preview_follow_row(app, change->iItem);
      }
      return 0;
    }
    default:
      return DefWindowProcW(app.main, WM_NOTIFY, wparam, lparam);
  }
}

}  // namespace korvane::win
