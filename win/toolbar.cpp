#include "toolbar.h"

#include <commctrl.h>

#include <array>
#include <vector>

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

// The groups 910 911 | 912 | 913 914 915 | 916 917 | 918 919.
constexpr int kSeparatorPositions[] = {2, 4, 8, 11};

}  // namespace

HWND create_picture_toolbar(HWND parent, HINSTANCE instance, int control_id, int bitmap,
                            int first_command, int button_count, std::span<const int> separators) {
  HWND toolbar = CreateWindowExW(
      0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
  if (!toolbar) return nullptr;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolbarImageSize, kToolbarImageSize));
  TBADDBITMAP images{instance, static_cast<UINT_PTR>(bitmap)};
  const auto first_image = static_cast<int>(SendMessageW(
      toolbar, TB_ADDBITMAP, static_cast<WPARAM>(button_count), reinterpret_cast<LPARAM>(&images)));

  std::vector<TBBUTTON> buttons(static_cast<std::size_t>(button_count));
  for (int k = 0; k < button_count; ++k) {
    TBBUTTON& b = buttons[static_cast<std::size_t>(k)];
    b.iBitmap = first_image + k;
    b.idCommand = first_command + k;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  for (int position : separators) {
    TBBUTTON separator{};
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = BTNS_SEP;
    SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&separator));
  }
  return toolbar;
}

HWND create_toolbar(HWND parent, HINSTANCE instance) {
  return create_picture_toolbar(parent, instance, IDC_TOOLBAR, IDB_TOOLBAR, kFirstButtonId,
                                kToolbarButtonCount, kSeparatorPositions);
}

void fill_tooltip(NMHDR* header, HINSTANCE instance, int first_command,
                  std::span<const wchar_t* const> tooltips) {
  // The program's windows are Unicode windows, so their tooltips ask with the W notification.
  if (header->code != TTN_GETDISPINFOW) return;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  info->hinst = instance;
  const auto k = static_cast<INT_PTR>(header->idFrom) - first_command;
  if (k >= 0 && static_cast<std::size_t>(k) < tooltips.size()) {
    info->lpszText = const_cast<wchar_t*>(tooltips[static_cast<std::size_t>(k)]);
  }
}

void fill_toolbar_tooltip(NMHDR* header, HINSTANCE instance) {
  fill_tooltip(header, instance, kFirstButtonId, kTooltips);
}

}  // namespace korvane::win
