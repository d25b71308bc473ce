#include "win32_child.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <thread>

namespace vitrum_test {
namespace {

std::map<std::string, int (*)()>& scenarios() {
  static std::map<std::string, int (*)()> all;
  return all;
}

std::string windowText(HWND window) {
  char buffer[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                      &length);
  return buffer;
}

// Reads the child's output pipe to its end, on a thread of its own so that a
// chatty child never blocks on a full pipe.
std::thread drain(HANDLE pipe, std::string& into) {
  return std::thread([pipe, &into] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) into.append(buffer, got);
  });
}

}  // namespace

ChildScenario::ChildScenario(const char* name, int (*run)()) { scenarios()[name] = run; }

bool runScenarioFromCommandLine(int argc, char** argv, int& exitCode) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--child") != 0) continue;
    auto found = scenarios().find(argv[i + 1]);
    exitCode = found == scenarios().end() ? 99 : found->second();
    return true;
  }
  return false;
}

std::string selfPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string selfDirectory() {
  std::string path = selfPath();
  return path.substr(0, path.find_last_of("\\/"));
}

Dialog readDialog(HWND dialog) {
  Dialog result{windowText(dialog), {}};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (windowClass(child) != "Static") continue;
    std::string text = windowText(child);
    if (!text.empty()) result.text = text;
  }
  return result;
}

DialogAnswerer::DialogAnswerer(DWORD pid, DialogAnswer answer) : pid_(pid), answer_(std::move(answer)) {}

void DialogAnswerer::answerNew() {
  for (HWND dialog : windowsOfProcess(pid_, "#32770")) {
    if (!IsWindowVisible(dialog)) continue;
    bool seen = false;
    for (HWND old : answered_) seen = seen || old == dialog;
    if (seen) continue;
    Dialog shown = readDialog(dialog);
    shown_.push_back(shown);
    answered_.push_back(dialog);
    const int button = answer_ ? answer_(shown) : IDOK;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
}

DialogWatch::DialogWatch()
    : answerer_(GetCurrentProcessId(), {}), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this] {
        while (WaitForSingleObject(stop_, 50) == WAIT_TIMEOUT) answerer_.answerNew();
      }) {}

DialogWatch::~DialogWatch() {
  stop();
  CloseHandle(stop_);
}

std::vector<Dialog> DialogWatch::stop() {
  SetEvent(stop_);
  if (thread_.joinable()) thread_.join();
  return answerer_.shown();
}

ChildResult runProcess(const std::string& commandLine, const RunOptions& options) {
  ChildResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  if (options.showCommand != -1) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(options.showCommand);
  }
  PROCESS_INFORMATION process{};
  // Wine fails CreateProcess with ERROR_INTERNAL_ERROR when the new process dies
  // while it is still being started, before its program runs (seen once in about
  // 2000 starts with both processors busy). Such a start is tried again, and said so.
  BOOL started = FALSE;
  DWORD startError = 0;
  for (int attempt = 1; attempt <= 3; ++attempt) {
    std::string mutableLine = commandLine;
    started = CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str(), &startup,
                             &process);
    startError = started ? 0 : GetLastError();
    if (started || startError != ERROR_INTERNAL_ERROR) break;
    std::fprintf(stderr, "CreateProcess failed (error %lu) on attempt %d for: %s\n",
                 static_cast<unsigned long>(startError), attempt, commandLine.c_str());
  }
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    result.output = "CreateProcess failed (error " + std::to_string(startError) + ") for: " + commandLine;
    return result;
  }
  std::thread reader = drain(readEnd, result.output);

  const DWORD deadline = GetTickCount() + options.timeoutMs;
  DialogAnswerer dialogs(process.dwProcessId, options.answer);
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      result.timedOut = true;
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
      break;
    }
    dialogs.answerNew();
    if (options.whileRunning) options.whileRunning(process.dwProcessId);
  }
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  result.dialogs = dialogs.shown();
  reader.join();
  CloseHandle(readEnd);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

ChildResult runChild(const std::string& scenario, DialogAnswer answer, DWORD timeoutMs) {
  std::string commandLine = "\"";
  commandLine += selfPath();
  commandLine += "\" --child ";
  commandLine += scenario;
  return runProcess(commandLine, RunOptions{std::move(answer), timeoutMs, {}, {}, -1});
}

}  // namespace vitrum_test
