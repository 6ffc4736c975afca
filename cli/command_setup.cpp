#include "command_setup.h"

#include <ostream>

#include "io/file_io.h"
#include "platform.h"
#include "settings/settings.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {

bool read_command_settings(const Options& o, Workspace& ws, StreamNotifier& notifier,
                           std::ostream& err) {
  // A missing default Korvane.ini asks to take the reset values: a batch run says yes, and with
  // no dialogs to choose reference files every path stays empty. A file named by --ini must exist,
  // and one that exists but cannot be read stops the run.
  ws.settings_path = o.ini;
  if (o.ini_given && io::file_system().status(o.ini).kind == io::FileKind::Missing) {
    err << "korvane-cli: " << native_to_utf8(o.ini) << ": settings file not found\n";
    return false;
  }
  notifier.set_subject(o.ini);
  const bool readable = read_settings(ws, notifier) != SettingsSource::Unreadable;
  notifier.clear_subject();
  return readable;
}

}  // namespace korvane::cli
