// The one port through which the core speaks to the user.
//
// Operations never show anything themselves: they hand a message to the Notifier and act on the
// answer. The desktop program shows a message box, korvane-cli prints to stderr, tests record.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Warning, Information };
enum class Answer { Ok, Yes, No };

struct Message {
  std::string text;   // Shift-JIS
  std::string title;  // Shift-JIS
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::Warning;
  bool without_owner = false;  // the desktop program shows it with no owner window
  std::string file;            // the file the message is about, shown after the text; may be empty
};

class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual Answer notify(const Message& message) = 0;

  // The common case: an OK box with a warning icon.
  void warn(std::string_view text, std::string_view title) {
    notify(Message{std::string(text), std::string(title), Buttons::Ok, Icon::Warning, false, {}});
  }
  void warn(std::string_view text, std::string_view title, std::string_view file) {
    notify(Message{std::string(text), std::string(title), Buttons::Ok, Icon::Warning, false,
                   std::string(file)});
  }
  bool ask_yes_no(std::string_view text, std::string_view title, std::string_view file = {}) {
    return notify(Message{std::string(text), std::string(title), Buttons::YesNo, Icon::Warning,
                          false, std::string(file)}) == Answer::Yes;
  }
};

}  // namespace korvane
