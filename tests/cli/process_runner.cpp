#include "process_runner.h"

#include "test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace korvane::test {

#ifdef _WIN32

namespace {

std::wstring widen_utf8(const std::string& text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// One argument quoted so that CommandLineToArgvW gives it back unchanged.
void append_quoted(std::wstring& line, const std::wstring& arg) {
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    line.append(backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

HANDLE inheritable_file(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(path.wstring().c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, write ? CREATE_ALWAYS : OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult run_process(const std::filesystem::path& program,
                          const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  ProcessResult result;
  TempDir io;  // the output goes to files: no pipe can fill up and stall the child
  const std::filesystem::path out_path = io.path() / "stdout", err_path = io.path() / "stderr";
  write_file(io.path() / "stdin", "");
  HANDLE in = inheritable_file(io.path() / "stdin", false);
  HANDLE out = inheritable_file(out_path, true);
  HANDLE err = inheritable_file(err_path, true);
  if (in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE) {
    std::wstring line;
    append_quoted(line, program.wstring());
    for (const std::string& arg : args) {
      line += L' ';
      append_quoted(line, widen_utf8(arg));
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW, nullptr, cwd.wstring().c_str(), &si, &pi)) {
      WaitForSingleObject(pi.hProcess, INFINITE);
      DWORD code = 0;
      if (GetExitCodeProcess(pi.hProcess, &code)) result.status = static_cast<int>(code);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
  for (HANDLE h : {in, out, err}) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

#else

ProcessResult run_process(const std::filesystem::path& program,
                          const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  ProcessResult result;
  TempDir io;  // the output goes to files: no pipe can fill up and stall the child
  const std::string out_path = io.file("stdout"), err_path = io.file("stderr");
  std::vector<std::string> argv_text{program.string()};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    // Only async-signal-safe calls from here to exec.
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(cwd.c_str()) != 0) {
      _exit(126);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid > 0) {
    int wstatus = 0;
    pid_t waited;
    do {
      waited = waitpid(pid, &wstatus, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited == pid && WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  }
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

#endif

}  // namespace korvane::test
