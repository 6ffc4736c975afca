#include "output/output_guard.h"

#include <utility>

#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {

bool output_spares_inputs(const std::string& output, const std::vector<std::string>& inputs,
                          Notifier& notifier, bool without_owner) {
  for (const std::string& input : inputs) {
    if (io::same_file(output, input)) {
      std::string detail = output;
      detail += '\n';
      detail += input;
      notifier.notify(Message{std::string(msg::kOutputIsInput), std::string(msg::kTitleFileError),
                              Buttons::Ok, Icon::Warning, without_owner, std::move(detail)});
      return false;
    }
  }
  return true;
}

bool output_spares_inputs(const Workspace& ws, Notifier& notifier, const std::string& output,
                          bool without_owner) {
  return output_spares_inputs(output, ws.spared_files(), notifier, without_owner);
}

bool outputs_spare_inputs(const Workspace& ws, Notifier& notifier,
                          const std::vector<std::string>& outputs) {
  const std::vector<std::string> inputs = ws.spared_files();
  for (const std::string& output : outputs) {
    if (!output_spares_inputs(output, inputs, notifier, true)) return false;
  }
  return true;
}

}  // namespace korvane
