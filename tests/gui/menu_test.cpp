#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::MainWindowTest;

// The menu as an outline: one line per item, "text id", "---" for a separator, and a submenu's
// items indented below its title.
void outline(HMENU menu, int depth, std::wstring& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    out += std::wstring(static_cast<std::size_t>(depth) * 2, L' ');
    if (info.fType & MFT_SEPARATOR) {
      out += L"---\n";
    } else if (info.hSubMenu) {
      out += text;
      out += L"\n";
      outline(info.hSubMenu, depth + 1, out);
    } else {
      out += text;
      out += L" " + std::to_wstring(info.wID) + L"\n";
    }
  }
}

TEST_F(MainWindowTest, MenuHasEveryItemInOrder) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  std::wstring menu;
  outline(GetMenu(main_), 0, menu);
  EXPECT_EQ(menu,
            L"ﾌｧｲﾙ(&F)\n"
            L"  Dxfフォルダ読出(&F)\tCtrl+Shift+O 37846\n"
            L"  Dxf1ﾌｧｲﾙ読込(&O)\tCtrl+O 37826\n"
            L"  ---\n"
            L"  ﾌｫﾙﾀﾞ読込後変換(&N) 37847\n"
            L"  ﾌｧｲﾙ読込後変換(&I) 37827\n"
            L"  ---\n"
            L"  一括ファイル出力(&A)\tCtrl+S 37843\n"
            L"  分割ファイル出力(B)\n"
            L"    オールファイル出力(&T) 37839\n"
            L"    ---\n"
            L"    支給品ファイル出力(&S) 37841\n"
            L"    非購入品ファイル出力(&M) 37840\n"
            L"    購入品ファイル出力(&K) 37842\n"
            L"  Excelブック出力(&E) 38004\n"
            L"  ---\n"
            L"  終了(&X) 37828\n"
            L"変換(&E)\n"
            L"  ALL変換(H)\tF5 37838\n"
            L"  個別変換(K)\n"
            L"    同部品削除(&D) 37849\n"
            L"    部品名追加(&A) 37851\n"
            L"    部品数の結合(&U) 37829\n"
            L"    部品ソート(&I) 37837\n"
            L"編集(&H)\n"
            L"  元に戻す(&U)\tCtrl+Z 38006\n"
            L"  ---\n"
            L"  書換(&C) 37853\n"
            L"  削除(&D)\tDel 37850\n"
            L"  追加(&A) 37852\n"
            L"  全削除(&I) 37855\n"
            L"設定(&S)\n"
            L"  基部品List(&P) 37832\n"
            L"  基部品Listﾌｧｲﾙ読込(&O) 37833\n"
            L"  基部品Listﾌｧｲﾙ書込(&S) 37834\n"
            L"  ---\n"
            L"  禁止文字(&K) 37848\n"
            L"  禁止文字読込(&Y) 37835\n"
            L"  禁止文字書込(&K) 37854\n"
            L"  ---\n"
            L"  環境設定(&S) 37831\n"
            L"ツール(&T)\n"
            L"  認識レポート(&R) 38001\n"
            L"  図面プレビュー(&V) 38002\n"
            L"  認識範囲の自動調整(&A) 38007\n"
            L"  部品表の比較(&C) 38003\n"
            L"  ---\n"
            L"  オプション(&O) 38005\n"
            L"ﾍﾙﾌﾟ(&H)\n"
            L"  ドキメント(&D) 37844\n"
            L"  取扱説明書(&H) 37836\n"
            L"  Tessilon(&T) 30001\n"
            L"  ﾊﾞｰｼﾞｮﾝ情報(&A) 37830\n");
  // Nothing to undo yet.
  EXPECT_TRUE(GetMenuState(GetMenu(main_), IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
}  // namespace korvane
