// Every modal dialog runs through run_modal: its template from the program's own resources, its
// procedure behind the allocation guard, and its data reachable from the procedure through
// DWLP_USER from WM_INITDIALOG on. A dialog's entry function makes the data (what the dialog needs
// and where it leaves its result), runs it, and returns the result.
#pragma once

#include <windows.h>

#include "guarded_proc.h"

namespace korvane::win {

// The data run_modal gave the dialog, or null before WM_INITDIALOG: controls may notify their
// dialog while the template is still being made.
template <typename Data>
Data* dialog_data(HWND dialog) {
  return reinterpret_cast<Data*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

namespace detail {

template <auto Proc>
INT_PTR CALLBACK modal_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lparam);
  return Proc(dialog, message, wparam, lparam);
}

}  // namespace detail

// Shows dialog template `template_id` modally over `owner` (none is allowed) until its procedure
// `Proc` ends it, and returns the value it was ended with, or -1 when it could not be shown.
template <auto Proc, typename Data>
INT_PTR run_modal(HWND owner, int template_id, Data& data) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                         guarded<detail::modal_proc<Proc>>, reinterpret_cast<LPARAM>(&data));
}

}  // namespace korvane::win
