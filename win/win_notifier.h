// The Notifier of the desktop program: a message box owned by the main window (or by no window
// when the message asks for that).
#pragma once

#include <windows.h>

#include "notify.h"

namespace korvane::win {

class WinNotifier final : public Notifier {
 public:
  explicit WinNotifier(HWND owner = nullptr) : owner_(owner) {}
  void set_owner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }
  Answer notify(const Message& message) override;

 private:
  HWND owner_;
};

}  // namespace korvane::win
