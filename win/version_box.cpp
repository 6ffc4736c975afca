#include "version_box.h"

#include "modal_dialog.h"
#include "resource.h"

namespace korvane::win {
namespace {

constexpr int kPictureSize = 200;
constexpr int kButtonGap = 8;

struct VersionBox {
  HBITMAP picture = nullptr;  // loaded with the box, freed when it goes
};

HBITMAP picture_of(HWND dialog) {
  const VersionBox* box = dialog_data<VersionBox>(dialog);
  return box ? box->picture : nullptr;
}

// Dialog units depend on the font and the screen, the picture does not: fit the client area to
// the picture, with the button centred below it, and keep the box where it was centred.
void fit_to_picture(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_VERSION_CLOSE);
  RECT b{};
  GetWindowRect(button, &b);
  const int button_w = b.right - b.left;
  const int button_h = b.bottom - b.top;
  RECT frame{0, 0, kPictureSize, kPictureSize + kButtonGap + button_h + kButtonGap};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT w{};
  GetWindowRect(dialog, &w);
  SetWindowPos(dialog, nullptr, (w.left + w.right - width) / 2, (w.top + w.bottom - height) / 2,
               width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(button, nullptr, (kPictureSize - button_w) / 2, kPictureSize + kButtonGap, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR on_init(HWND dialog) {
  dialog_data<VersionBox>(dialog)->picture =
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_VERSION),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  fit_to_picture(dialog);
  return TRUE;
}

void on_paint(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  if (HBITMAP picture = picture_of(dialog)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture);
    BitBlt(dc, 0, 0, kPictureSize, kPictureSize, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(dialog, &ps);
}

void on_destroy(HWND dialog) {
  if (VersionBox* box = dialog_data<VersionBox>(dialog); box && box->picture) {
    DeleteObject(box->picture);
    box->picture = nullptr;
  }
}

INT_PTR CALLBACK version_box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
    case WM_PAINT:
      on_paint(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDC_VERSION_CLOSE) return FALSE;
      EndDialog(dialog, 1);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
    case WM_DESTROY:
      on_destroy(dialog);
      return FALSE;  // the dialog manager still frees the template's font
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR run_version_box(HWND owner) {
  VersionBox box;
  return run_modal<version_box_proc>(owner, IDD_VERSION, box);
}

}  // namespace korvane::win
