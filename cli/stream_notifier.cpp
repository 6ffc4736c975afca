#include "stream_notifier.h"

#include <ostream>

#include "platform.h"
#include "text/encoding.h"

namespace korvane::cli {

Answer StreamNotifier::notify(const Message& message) {
  std::string line = "korvane-cli: ";
  // The file the message names stands in for a subject the command did not set.
  const std::string native = subject_ ? subject_() : message.file;
  std::string body;
  if (!native.empty() || subject_) {
    line += native_to_utf8(native);
    if (subject_ && !remark_.empty()) line += " " + remark_;
    line += ": ";
  }
  // A text may hold the path itself, which is not Shift-JIS everywhere.
  const std::size_t at = native.empty() ? std::string::npos : message.text.find(native);
  if (at == std::string::npos) {
    body = sjis_to_utf8(message.text);
  } else {
    body = sjis_to_utf8(std::string_view(message.text).substr(0, at)) + native_to_utf8(native) +
           sjis_to_utf8(std::string_view(message.text).substr(at + native.size()));
  }
  // One line a message: a second line of the text (the system's reason) follows after a blank.
  for (char& c : body) {
    if (c == '\n') c = ' ';
  }
  line += sjis_to_utf8(message.title) + ": " + body;
  // Files the message names beyond the subject (an output and the input it would replace).
  if (subject_ && !message.file.empty() && message.file != native) {
    std::string files;
    std::string_view rest = message.file;
    while (!rest.empty()) {
      const std::size_t lf = rest.find('\n');
      if (!files.empty()) files += " = ";
      files += native_to_utf8(rest.substr(0, lf));
      rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
    }
    line += " (" + files + ")";
  }
  const bool question = message.buttons == Buttons::YesNo;
  if (question) line += " [answered yes]";
  err_ << line << "\n";
  err_.flush();
  return question ? Answer::Yes : Answer::Ok;
}

void StreamNotifier::set_subject(std::string native, std::string remark) {
  subject_ = [native = std::move(native)] { return native; };
  remark_ = std::move(remark);
}

void StreamNotifier::follow_subject(std::function<std::string()> native, std::string remark) {
  subject_ = std::move(native);
  remark_ = std::move(remark);
}

void StreamNotifier::clear_subject() {
  subject_ = nullptr;
  remark_.clear();
}

}  // namespace korvane::cli
