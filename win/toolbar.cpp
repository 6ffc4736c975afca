#include "toolbar.h"

#include <commctrl.h>

#include <array>

#include "resource.h"

namespace korvane::win {
namespace {

constexpr int kFirstButtonId = IDT_READ_FOLDER_CONVERT;

// In button order; image k of bitmap 2 belongs to button k.
constexpr std::array<const wchar_t*, kToolbarButtonCount> kTooltips = {
    L"フォルダ単位読込後オール変換",
    L"フォルダ単位読込",
    L"オール変換",
    L"部品修正",
    L"部品削除",
    L"部品追加",
    L"１ファイル出力",
    L"３ファイル出力",
    L"ヘルプ",
    L"終了"};

// Separators go in at these positions, each counted after the ones before, giving the groups
// 910 911 | 912 | 913 914 915 | 916 917 | 918 919.
constexpr int kSeparatorPositions[] = {2, 4, 8, 11};

int tooltip_index(UINT_PTR id) {
  const auto k = static_cast<INT_PTR>(id) - kFirstButtonId;
  return k >= 0 && k < kToolbarButtonCount ? static_cast<int>(k) : -1;
}

}  // namespace

HWND create_toolbar(HWND parent, HINSTANCE instance) {
  HWND toolbar = CreateWindowExW(
      0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), instance, nullptr);
  if (!toolbar) return nullptr;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolbarImageSize, kToolbarImageSize));
  TBADDBITMAP bitmap{instance, IDB_TOOLBAR};
  const auto first_image = static_cast<int>(
      SendMessageW(toolbar, TB_ADDBITMAP, kToolbarButtonCount, reinterpret_cast<LPARAM>(&bitmap)));

  std::array<TBBUTTON, kToolbarButtonCount> buttons{};
  for (int k = 0; k < kToolbarButtonCount; ++k) {
    TBBUTTON& b = buttons[static_cast<std::size_t>(k)];
    b.iBitmap = first_image + k;
    b.idCommand = kFirstButtonId + k;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  for (int position : kSeparatorPositions) {
    TBBUTTON separator{};
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = BTNS_SEP;
    SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&separator));
  }
  return toolbar;
}

void fill_toolbar_tooltip(NMHDR* header, HINSTANCE instance) {
  const int k = tooltip_index(header->idFrom);
  // The main window is a Unicode window, so its tooltips ask with the W notification.
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->hinst = instance;
    if (k >= 0) info->lpszText = const_cast<wchar_t*>(kTooltips[static_cast<std::size_t>(k)]);
  }
}

}  // namespace korvane::win
