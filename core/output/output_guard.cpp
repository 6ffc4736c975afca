#include "output/output_guard.h"

#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {

const std::string* input_named_by(const Workspace& ws, const std::string& path) {
  if (io::same_file(path, ws.settings_path)) return &ws.settings_path;
  for (const std::string& input : ws.input_files) {
    if (io::same_file(path, input)) return &input;
  }
  return nullptr;
}

bool output_spares_inputs(const Workspace& ws, Notifier& notifier, const std::string& path) {
  const std::string* input = input_named_by(ws, path);
  if (input == nullptr) return true;
  notifier.notify(Message{std::string(msg::kOutputIsInput), std::string(msg::kTitleFileError),
                          Buttons::Ok, Icon::Warning, true, path + "\n" + *input});
  return false;
}

}  // namespace korvane
