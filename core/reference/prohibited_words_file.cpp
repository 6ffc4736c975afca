#include "reference/prohibited_words_file.h"

#include "io/file_io.h"
#include "notify.h"
#include "reference/list_lines.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {

ProhibitedWordsParse parse_prohibited_words(std::string_view bytes) {
  ProhibitedWordsParse out;
  std::vector<std::string>& words = out.words.words;
  for_each_line(bytes, [&](std::string_view line) {
    if (line.empty()) return true;
    if (words.size() == static_cast<std::size_t>(kProhibitedWordsCapacity)) {
      out.truncated = true;
      return false;
    }
    words.push_back(cut_to_capacity(line, kWordCapacity));
    out.cut = out.cut || words.back().size() < line.size();
    return true;
  });
  return out;
}

std::string format_prohibited_words(const ProhibitedWords& words) {
  std::string out;
  std::size_t written = 0;
  for (const std::string& word : words.words) {
    if (word.empty() || written == static_cast<std::size_t>(kProhibitedWordsCapacity)) break;
    out.append(word);
    out.append("\r\n");
    ++written;
  }
  return out;
}

bool load_prohibited_words(ProhibitedWords& words, const std::string& path, Notifier& notifier,
                           ListLoadReport* report) {
  ListLoadReport found;
  const std::optional<std::string> bytes =
      read_list_file(path, notifier, msg::kWordsCannotOpen, found);
  if (!bytes) {
    if (report) *report = found;
    return false;
  }
  ProhibitedWordsParse parsed = parse_prohibited_words(*bytes);
  words = std::move(parsed.words);
  found.lost = found.lost || parsed.truncated || parsed.cut;
  if (report) *report = found;
  if (parsed.truncated) notifier.warn(msg::kWordsTruncated, msg::kTitleLimit);
  return true;
}

bool save_prohibited_words(const ProhibitedWords& words, const std::string& path,
                           Notifier& notifier) {
  if (words.words.empty() || words.words.front().empty()) {
    notifier.notify(Message{std::string(msg::kWordsNoData),
                            std::string(msg::kTitleSaveError),
                            Buttons::Ok,
                            Icon::None,
                            false,
                            {}});
    return false;
  }
  // The create failure has the same text as the open failure.
  if (!io::write_whole_file(path, format_prohibited_words(words))) {
    notifier.warn(msg::kWordsCannotOpen, msg::kTitleFileError, path);
    return false;
  }
  return true;
}

}  // namespace korvane
