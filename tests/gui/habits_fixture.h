// What the user's hands give the main window besides the mouse on menus: files dropped from
// Explorer and keys, each handed to the program as Windows hands it.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>  // DROPFILES

#include <algorithm>
#include <string>
#include <vector>

#include "app.h"

namespace korvane::test {

// A drop as Explorer makes it for WM_DROPFILES: DROPFILES, then the wide paths, each ended by a
// NUL, and one NUL more. The program frees it (DragFinish).
inline HDROP make_hdrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const std::wstring& path : paths) chars += path.size() + 1;
  HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(files) + sizeof(DROPFILES));
  for (const std::wstring& path : paths) text = std::copy(path.begin(), path.end(), text) + 1;
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

enum Modifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2 };

// Ctrl and Shift as held down, for GetKeyState (which the program and the accelerators read).
inline void hold(unsigned modifiers) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  const auto set = [&](int key, bool down) { state[key] = down ? 0x80 : 0; };
  set(VK_CONTROL, modifiers & kCtrl);
  set(VK_LCONTROL, modifiers & kCtrl);
  set(VK_SHIFT, modifiers & kShift);
  set(VK_LSHIFT, modifiers & kShift);
  SetKeyboardState(state);
}

// A key pressed and let go on the window that has the focus, with `modifiers` held, through the
// program's own message step. Returns when the command it gave is done (modal dialogs on the way
// are for a driver to answer).
inline void press(win::App& app, UINT key, unsigned modifiers = kNoModifier) {
  HWND target = GetFocus() ? GetFocus() : app.main;
  hold(modifiers);
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) win::process_message(app, msg);
  }
  hold(kNoModifier);
}

}  // namespace korvane::test
