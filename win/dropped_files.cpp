#include "dropped_files.h"

#include <algorithm>
#include <optional>

#include "app.h"
#include "pipeline/undo_history.h"
#include "preview_window.h"
#include "reading_commands.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "undo_commands.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr std::size_t kNamesShown = 10;  // the message stays within the screen

bool same_ignoring_case(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool is_drawing_name(std::wstring_view path) {
  constexpr std::wstring_view kExtension = L".dxf";
  return path.size() > kExtension.size() &&
         same_ignoring_case(path.substr(path.size() - kExtension.size()), kExtension);
}

// The order NTFS keeps names in (ordinal, ignoring case), which is how the DXF file dialog lists
// a folder; names that differ only in case keep a fixed order too.
bool comes_before(const std::wstring& a, const std::wstring& b) {
  const int order = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                         static_cast<int>(b.size()), TRUE);
  return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
}

std::wstring folder_with_separator(const std::wstring& folder) {
  return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

// The drawings directly in a folder (not in its subfolders), sorted by name. Every name is looked
// at, so that short 8.3 names never let "a.dxf1" pass for a drawing.
std::vector<std::wstring> drawings_in(const std::wstring& folder) {
  const std::wstring prefix = folder_with_separator(folder);
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && is_drawing_name(found.cFileName)) {
      names.emplace_back(found.cFileName);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), comes_before);
  for (std::wstring& name : names) name = prefix + name;
  return names;
}

bool is_folder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void say_not_read(App& app, const std::vector<std::wstring>& not_read) {
  std::string names;
  for (std::size_t i = 0; i < not_read.size() && i < kNamesShown; ++i) {
    if (i > 0) names += '\n';
    names += narrow(not_read[i]);
  }
  if (not_read.size() > kNamesShown) {
    std::string more(msg::kDroppedMore);
    more.replace(more.find("%d"), 2, format_int(static_cast<int>(not_read.size() - kNamesShown)));
    names += '\n' + more;
  }
  app.notifier.warn(msg::kDroppedNotRead, msg::kTitleAddFile, names);
}

// A read of drawings that Shift-JIS can hold (the others are named in a message and left out).
bool read_drawings_of(App& app, const DroppedItems& items) {
  std::vector<std::string> drawings;
  for (const std::wstring& path : items.drawings) {
    if (auto sjis = path_from_wide(app.main, path)) drawings.push_back(std::move(*sjis));
  }
  if (drawings.empty()) return false;  // an empty run would empty the list
  if (!items.batch) return read_single_dxf(app, drawings.front());
  app.chosen_files = std::move(drawings);
  return read_chosen_dxf_files(app);
}

}  // namespace

DroppedItems sort_out_dropped(const std::vector<std::wstring>& paths) {
  DroppedItems items;
  bool folder_given = false;
  for (const std::wstring& path : paths) {
    if (is_folder(path)) {
      folder_given = true;
      std::vector<std::wstring> drawings = drawings_in(path);
      if (drawings.empty()) items.not_read.push_back(folder_with_separator(path));
      items.drawings.insert(items.drawings.end(), drawings.begin(), drawings.end());
    } else if (is_drawing_name(path)) {
      items.drawings.push_back(path);  // one that cannot be opened is reported by the read
    } else {
      items.not_read.push_back(path);
    }
  }
  items.batch = folder_given || items.drawings.size() > 1;
  return items;
}

void read_dropped(App& app, const std::vector<std::wstring>& paths, bool convert) {
  close_cell_editors(app);
  const DroppedItems items = sort_out_dropped(paths);
  if (!items.not_read.empty()) say_not_read(app, items.not_read);
  if (items.drawings.empty()) return;
  UndoStep before = capture_undo_step(app.ws, app.trail, true);
  if (read_drawings_of(app, items) && convert) read_and_convert_tail(app);
  record_list_change(app, std::move(before));
  show_parts(app);
  refresh_preview(app);
}

void on_drop_files(App& app, HDROP drop) {
  const bool convert = GetKeyState(VK_SHIFT) < 0;
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  DragFinish(drop);
  read_dropped(app, paths, convert);
}

}  // namespace korvane::win
