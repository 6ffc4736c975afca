// The Notifier of korvane-cli: the program's messages as lines on stderr, in UTF-8.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "notify.h"

namespace korvane::cli {

// Prints "korvane-cli: SUBJECT: TITLE: TEXT", SUBJECT being the file at hand when one is set.
// A Yes/No question is answered Yes, the answer that goes on without a dialog (the only question
// a batch run meets is whether to take the default settings), and the line says so.
class StreamNotifier : public Notifier {
 public:
  explicit StreamNotifier(std::ostream& err) : err_(err) {}

  Answer notify(const Message& message) override;

  // The file the next messages are about, in the core's bytes, and an optional UTF-8 remark.
  void set_subject(std::string native, std::string remark = {});
  // As above, read when a message comes (for names an operation rewrites as it goes).
  void follow_subject(std::function<std::string()> native, std::string remark = {});
  void clear_subject();

 private:
  std::ostream& err_;
  std::function<std::string()> subject_;
  std::string remark_;
};

}  // namespace korvane::cli
