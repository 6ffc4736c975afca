#include "stream_notifier.h"

#include <ostream>

#include "platform.h"
#include "text/encoding.h"

namespace korvane::cli {

Answer StreamNotifier::notify(const Message& message) {
  std::string line = "korvane-cli: ";
  std::string text = message.text;
  std::string trailing_path;
  if (subject_) {
    const std::string native = subject_();
    line += native_to_utf8(native);
    if (!remark_.empty()) line += " " + remark_;
    line += ": ";
    // Some texts end with the path itself, which is not Shift-JIS everywhere.
    if (!native.empty() && text.ends_with(native)) {
      text.resize(text.size() - native.size());
      trailing_path = native_to_utf8(native);
    }
  }
  line += sjis_to_utf8(message.title) + ": " + sjis_to_utf8(text) + trailing_path;
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
