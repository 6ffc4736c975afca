// Window and dialog procedures run behind this guard: an allocation that fails while one handles
// a message says so and returns, instead of ending the program with the user's lists.
#pragma once

#include <windows.h>

#include <new>

namespace korvane::win {

// "メモリが足りません。" titled "メモリオーバー".
void report_out_of_memory(HWND window) noexcept;

template <auto Proc>
auto CALLBACK guarded(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept
    -> decltype(Proc(window, message, wparam, lparam)) {
  try {
    return Proc(window, message, wparam, lparam);
  } catch (const std::bad_alloc&) {
    report_out_of_memory(window);
    return 0;
  }
}

}  // namespace korvane::win
