// The prohibited words file: one word a line.
#pragma once

#include <string>
#include <string_view>

#include "reference/list_file.h"
#include "reference/prohibited_words.h"

namespace korvane {

class Notifier;

struct ProhibitedWordsParse {
  ProhibitedWords words;
  bool truncated = false;  // words beyond kProhibitedWordsCapacity were dropped
  bool cut = false;        // a line was longer than a word can be
};

// The words of a file's bytes: lines end at LF (a CR before it dropped), blank lines are
// skipped, a longer line is cut to the word capacity.
ProhibitedWordsParse parse_prohibited_words(std::string_view bytes);

// The file's bytes for a list: the words before the first empty one, CR LF line ends.
std::string format_prohibited_words(const ProhibitedWords& words);

// Replaces `words` with the file's words; as load_base_parts.
bool load_prohibited_words(ProhibitedWords& words, const std::string& path, Notifier& notifier,
                           ListLoadReport* report = nullptr);

// Writes the list whole or not at all; as save_base_parts.
bool save_prohibited_words(const ProhibitedWords& words, const std::string& path,
                           Notifier& notifier);

}  // namespace korvane
