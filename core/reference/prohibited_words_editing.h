// Editing the prohibited words list word by word, as its dialog does. Row i of the dialog is
// always word i.
#pragma once

#include <string>
#include <string_view>

#include "reference/prohibited_words.h"

namespace korvane {

class Notifier;

// "読出": the word of the selected row, or null after "項目を選択して下さい。".
const std::string* prohibited_word_to_read(const ProhibitedWords& words, int selected,
                                           Notifier& notifier);
// "書換": word `selected` becomes the text (cut to 31 bytes). Refused (with a message) when the
// text is empty, then when no row is selected.
bool rewrite_prohibited_word(ProhibitedWords& words, int selected, std::string_view text,
                             Notifier& notifier);
// "追加": the text (cut to 31 bytes) as a new last word, even when it is in the list already.
// Returns its index, or -1 when refused: the text is empty, or the list holds 100 words.
int add_prohibited_word(ProhibitedWords& words, std::string_view text, Notifier& notifier);
// "削除": removes one word; the later words move up.
void delete_prohibited_word(ProhibitedWords& words, int index);

}  // namespace korvane
