#include "keyboard.h"

#include "app.h"

namespace korvane::win {
namespace {

bool belongs_to(HWND window, HWND target) {
  return window && (target == window || IsChild(window, target));
}

// While the in-place editor is open these keys edit its text: Delete, Ctrl+A (select the text)
// and Ctrl+Z (undo the typing).
bool is_editor_key(WPARAM key) { return key == VK_DELETE || key == 'A' || key == 'Z'; }

}  // namespace

bool translate_main_keys(App& app, MSG& msg) {
  if (msg.message != WM_KEYDOWN || !app.main || !app.accelerators) return false;
  // The keys of other top-level windows (the series window) are theirs; modal dialogs run loops
  // of their own.
  if (!belongs_to(app.main, msg.hwnd)) return false;
  const CellEditor& editor = app.parts_view.editor;
  if ((belongs_to(editor.edit, msg.hwnd) || belongs_to(editor.combo, msg.hwnd)) &&
      is_editor_key(msg.wParam)) {
    return false;
  }
  // Delete takes a row away only where the rows are.
  if (msg.wParam == VK_DELETE && msg.hwnd != app.parts_view.list) return false;
  return TranslateAcceleratorW(app.main, app.accelerators, &msg) != 0;
}

}  // namespace korvane::win
