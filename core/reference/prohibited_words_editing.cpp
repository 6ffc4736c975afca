#include "reference/prohibited_words_editing.h"

#include <string>

#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

void refuse(Notifier& notifier, std::string text) {
  notifier.notify(Message{
      std::move(text), std::string(msg::kTitleOperatorError), Buttons::Ok, Icon::None, false, {}});
}

int word_count(const ProhibitedWords& words) { return static_cast<int>(words.words.size()); }

}  // namespace

const std::string* prohibited_word_to_read(const ProhibitedWords& words, int selected,
                                           Notifier& notifier) {
  if (selected < 0 || selected >= word_count(words)) {
    refuse(notifier, std::string(msg::kSelectItem));
    return nullptr;
  }
  return &words.words[static_cast<std::size_t>(selected)];
}

bool rewrite_prohibited_word(ProhibitedWords& words, int selected, std::string_view text,
                             Notifier& notifier) {
  std::string word = cut_to_capacity(text, kWordCapacity);
  if (word.empty()) {
    refuse(notifier, std::string(msg::kEnterWord));
    return false;
  }
  if (selected < 0 || selected >= word_count(words)) {
    refuse(notifier, std::string(msg::kSelectItem));
    return false;
  }
  words.words[static_cast<std::size_t>(selected)] = std::move(word);
  return true;
}

int add_prohibited_word(ProhibitedWords& words, std::string_view text, Notifier& notifier) {
  std::string word = cut_to_capacity(text, kWordCapacity);
  if (word.empty()) {
    // The add button's message has always begun with a tab.
    refuse(notifier, "\t" + std::string(msg::kEnterWord));
    return -1;
  }
  if (word_count(words) >= kProhibitedWordsCapacity) {
    refuse(notifier, std::string(msg::kWordsFull));
    return -1;
  }
  words.words.push_back(std::move(word));
  return word_count(words) - 1;
}

void delete_prohibited_word(ProhibitedWords& words, int index) {
  if (index < 0 || index >= word_count(words)) return;
  words.words.erase(words.words.begin() + index);
}

}  // namespace korvane
