#include "reading_fixture.h"

#include <commctrl.h>
#include <shlobj.h>

namespace korvane::test {

std::function<void(HWND)> accept_folder(std::wstring folder) {
  return [folder, leaf = std::filesystem::path(folder).filename().wstring()](HWND browser) {
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    const ULONGLONG start = GetTickCount64();
    ULONGLONG retry = start + 3000;
    for (;;) {
      wchar_t text[MAX_PATH] = {};
      TVITEMW item{};
      item.mask = TVIF_TEXT;
      item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      item.pszText = text;
      item.cchTextMax = MAX_PATH;
      if (item.hItem && SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) &&
          leaf == text) {
        break;
      }
      const ULONGLONG now = GetTickCount64();
      if (now >= start + 10000) break;
      // Wine's browser now and then fails to find a path in its tree while the drives are still
      // being looked at; asking again later finds it.
      if (now >= retry) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        retry = now + 1000;
      }
      Sleep(20);
    }
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

}  // namespace korvane::test
