#include "words_dialog.h"

#include "list_editor.h"
#include "reference/prohibited_words_editing.h"
#include "resource.h"

namespace korvane::win {
namespace {

// The list stores no remark: "備考" stays empty.
constexpr ListColumn kColumns[] = {{L"禁止文字", 200}, {L"備考", 60}};

constexpr ListEditorLayout kLayout = {.list_id = IDC_WORDS_LIST,
                                      .list_width = 300,
                                      .list_height = 360,
                                      .columns = kColumns,
                                      .read_id = IDC_WORDS_READ,
                                      .rewrite_id = IDC_WORDS_REWRITE,
                                      .add_id = IDC_WORDS_ADD,
                                      .delete_id = IDC_WORDS_DELETE};

class WordsEditor final : public ListEditor {
 public:
  explicit WordsEditor(ProhibitedWords& words) : ListEditor(kLayout), words_(words) {}

 private:
  int shown_count() const override { return static_cast<int>(words_.words.size()); }
  std::vector<std::string> cells(int index) const override {
    return {words_.words[static_cast<std::size_t>(index)], ""};
  }
  bool read(HWND dialog, int selected, Notifier& notifier) override {
    const std::string* word = prohibited_word_to_read(words_, selected, notifier);
    if (word) set_item_text(dialog, IDC_WORDS_EDIT, *word);
    return word != nullptr;
  }
  bool rewrite(HWND dialog, int selected, Notifier& notifier) override {
    return rewrite_prohibited_word(words_, selected, item_text(dialog, IDC_WORDS_EDIT), notifier);
  }
  int add(HWND dialog, Notifier& notifier) override {
    return add_prohibited_word(words_, item_text(dialog, IDC_WORDS_EDIT), notifier);
  }
  void erase(int index) override { delete_prohibited_word(words_, index); }

  ProhibitedWords& words_;
};

}  // namespace

void run_prohibited_words_dialog(HWND owner, ProhibitedWords& words) {
  WordsEditor editor(words);
  editor.run(owner, IDD_PROHIBITED_WORDS);
}

}  // namespace korvane::win
