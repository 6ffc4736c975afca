#include "file_dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include "text/sjis.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr DWORD kNameCapacity = 256;

// Filters: pairs of text and pattern, each ended by a NUL; the literal's own NUL ends the list.
constexpr wchar_t kTxtOutputFilter[] =
    L"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)\0*.TXT\0CSVﾌｧｲﾙ(*.CSV)\0*.CSV\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kCsvOutputFilter[] =
    L"CSVﾌｧｲﾙ(*.CSV)\0*.CSV\0ﾃｷｽﾄﾌｧｲﾙ(*.TXT)\0*.TXT\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kCsvFilter[] = L"CSVﾌｧｲﾙ(*.CSV)\0*.CSV\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kXlsxOutputFilter[] = L"Excel(*.xlsx)\0*.xlsx\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kReferenceFilter[] = L"ﾃｷｽﾄ(*.txt)\0*.txt\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kDxfFilter[] = L"DxfFile(*.dxf)\0*.dxf\0ALLFile(*.*)\0*.*\0";
constexpr wchar_t kDxfAddFilter[] = L"DxfFile(*.dxf)\0*.dxf\0DwgFile(*.dwg)\0*.dwg\0";
constexpr wchar_t kLocateFilter[] = L"ﾃｷｽﾄﾌｧｲﾙ(*.txt)\0*.txt\0ALLFile(*.*)\0*.*\0";

// The common dialogs move the process's current directory to the folder the user browsed to.
// Korvane.ini, default.txt and the help files are named relative to the folder the program
// started in, so it is put back.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    folder_.resize(length);
    folder_.resize(GetCurrentDirectoryW(length, folder_.data()));
  }
  ~CurrentDirectoryKeeper() {
    if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
  }
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  std::wstring folder_;
};

enum class Kind { Open, Save };

// `initial` is the name the dialog opens on (its folder included, if it names one).
std::optional<std::string> run_file_dialog(HWND owner, Kind kind, const wchar_t* title,
                                           const wchar_t* filter, std::string_view initial = {}) {
  wchar_t name[kNameCapacity] = {};
  widen(cut_to_capacity(initial, kNameCapacity)).copy(name, kNameCapacity - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = kNameCapacity;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_HIDEREADONLY;
  CurrentDirectoryKeeper keeper;
  auto run = [&] { return kind == Kind::Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); };
  if (run()) return path_from_wide(owner, name);
  // An initial name the dialog cannot take keeps it from opening at all: open it empty instead.
  if (name[0] == L'\0' || CommDlgExtendedError() != FNERR_INVALIDFILENAME) return std::nullopt;
  name[0] = L'\0';
  if (run()) return path_from_wide(owner, name);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> choose_output_file(HWND owner, OutputKind kind) {
  switch (kind) {
    case OutputKind::Txt:
      return run_file_dialog(owner, Kind::Save, L"ﾃｷｽﾄﾌｧｲﾙに書込", kTxtOutputFilter);
    case OutputKind::Xlsx:
      return run_file_dialog(owner, Kind::Save, L"Excelブックに書込", kXlsxOutputFilter);
    default:
      return run_file_dialog(owner, Kind::Save, L"CSVﾌｧｲﾙに書込", kCsvOutputFilter);
  }
}

std::optional<std::string> choose_list_to_compare(HWND owner, OutputKind kind) {
  return run_file_dialog(owner, Kind::Open, L"比較する部品表の読込",
                         kind == OutputKind::Txt ? kTxtOutputFilter : kCsvOutputFilter);
}

std::optional<std::string> choose_comparison_csv(HWND owner) {
  return run_file_dialog(owner, Kind::Save, L"比較結果をCSVﾌｧｲﾙに書込", kCsvFilter);
}

std::optional<std::string> choose_reference_file_to_open(HWND owner, ReferenceList list) {
  const wchar_t* title =
      list == ReferenceList::BaseParts ? L"部品設定ﾌｧｲﾙの読込" : L"禁止文字ﾌｧｲﾙの読込";
  return run_file_dialog(owner, Kind::Open, title, kReferenceFilter);
}

std::optional<std::string> choose_reference_file_to_save(HWND owner) {
  return run_file_dialog(owner, Kind::Save, L"部品設定ﾌｧｲﾙ書込", kReferenceFilter);
}

std::optional<std::string> choose_report_file(HWND owner) {
  constexpr wchar_t kFilter[] = L"CSVﾌｧｲﾙ(*.CSV)\0*.CSV\0ALLFile(*.*)\0*.*\0";
  return run_file_dialog(owner, Kind::Save, L"認識レポートの保存", kFilter,
                         narrow(L"認識レポート.csv"));
}

std::optional<std::string> choose_dxf_file(HWND owner) {
  return run_file_dialog(owner, Kind::Open, L"DXFﾌｧｲﾙ(dxf)の読込", kDxfFilter);
}

std::optional<std::string> choose_dxf_file_to_add(HWND owner) {
  return run_file_dialog(owner, Kind::Open, L"ファイル読み出し", kDxfAddFilter);
}

std::optional<std::string> locate_reference_file(HWND owner, std::string_view current) {
  return run_file_dialog(owner, Kind::Open, L"ファイルの在処を指定", kLocateFilter, current);
}

}  // namespace korvane::win
