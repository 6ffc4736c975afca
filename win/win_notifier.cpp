#include "win_notifier.h"

#include "wide.h"

namespace korvane::win {

Answer WinNotifier::notify(const Message& message) {
  UINT type = message.buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
  if (message.icon == Icon::Warning) type |= MB_ICONWARNING;
  if (message.icon == Icon::Information) type |= MB_ICONINFORMATION;
  const HWND owner = message.without_owner ? nullptr : owner_;
  // A file the message is about goes on a line of its own under the text.
  std::wstring text = widen(message.text);
  if (!message.file.empty()) text += L"\n" + widen(message.file);
  const int answer = MessageBoxW(owner, text.c_str(), widen(message.title).c_str(), type);
  if (answer == IDYES) return Answer::Yes;
  if (answer == IDNO) return Answer::No;
  return Answer::Ok;
}

}  // namespace korvane::win
