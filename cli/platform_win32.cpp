// Windows: the wide command line converted with code page 932, UTF-8 on stdout and stderr.
#ifdef _WIN32

// windows.h first: shellapi.h needs its types.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform.h"
#include "text/encoding.h"

namespace korvane::cli {

StandardStreams::StandardStreams() {
  // Bytes go out as written: no LF to CR LF, so --raw and the UTF-8 lines are exact.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  previous_console_cp_ = GetConsoleOutputCP();
  if (previous_console_cp_ != 0) SetConsoleOutputCP(CP_UTF8);
}

StandardStreams::~StandardStreams() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (previous_console_cp_ != 0) SetConsoleOutputCP(previous_console_cp_);
}

bool command_line_arguments(int /*argc*/, char** /*argv*/, std::vector<std::string>& args,
                            std::string& error) {
  // argv holds the arguments in the ANSI code page of the machine, which need not be 932.
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    error = "cannot read the command line";
    return false;
  }
  args.clear();
  bool ok = true;
  for (int i = 1; i < count && ok; ++i) {
    const int length = static_cast<int>(wcslen(wide[i]));
    std::string bytes;
    if (length > 0) {
      BOOL lost = FALSE;
      const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide[i], length, nullptr, 0,
                                        nullptr, &lost);
      bytes.assign(static_cast<std::size_t>(n), '\0');
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide[i], length, bytes.data(), n, nullptr,
                          &lost);
      if (n == 0 || lost) {
        const int u =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], length, nullptr, 0, nullptr, nullptr);
        std::string shown(static_cast<std::size_t>(u), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], length, shown.data(), u, nullptr, nullptr);
        error =
            "argument '" + shown + "' has characters that Shift-JIS (code page 932) cannot hold";
        ok = false;
      }
    }
    args.push_back(std::move(bytes));
  }
  LocalFree(wide);
  return ok;
}

std::string native_to_utf8(std::string_view native) { return sjis_to_utf8(native); }

}  // namespace korvane::cli

#endif
