// Test support: run a program (usually this test program itself, with
// "--child NAME") and answer the message boxes it shows, recording each one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "process_windows.h"

namespace vitrum_test {

struct Dialog {
  std::string caption;
  std::string text;
};

// Picks the button that answers a dialog (IDOK, IDYES, IDNO, ...).
using DialogAnswer = std::function<int(const Dialog&)>;
// Called about every 50 ms while the child runs, with its process id.
using WhileRunning = std::function<void(DWORD pid)>;

struct ChildResult {
  DWORD exitCode = 0xFFFFFFFF;
  bool timedOut = false;
  std::vector<Dialog> dialogs;
  std::string output;  // what the child wrote to stdout and stderr
};

struct RunOptions {
  DialogAnswer answer;           // how to answer each dialog; OK when empty
  DWORD timeoutMs = 30000;       // the child is killed after this long
  std::string workingDirectory;  // the child's working directory; ours when empty
  WhileRunning whileRunning;     // lets a test act on the running child
  int showCommand = -1;          // passed with STARTF_USESHOWWINDOW when not -1
};

// Answers the message boxes of process PID, each once, recording them.
class DialogAnswerer {
 public:
  DialogAnswerer(DWORD pid, DialogAnswer answer);
  // Answers the boxes shown since the last call.
  void answerNew();
  const std::vector<Dialog>& shown() const { return shown_; }

 private:
  DWORD pid_;
  DialogAnswer answer_;
  std::vector<HWND> answered_;
  std::vector<Dialog> shown_;
};

// Answers this process's message boxes from a thread of its own until stopped,
// so that a test showing one goes on instead of waiting for a user.
class DialogWatch {
 public:
  DialogWatch();
  ~DialogWatch();
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  // Ends the watch and returns the boxes it answered.
  std::vector<Dialog> stop();

 private:
  DialogAnswerer answerer_;
  HANDLE stop_;
  std::thread thread_;
};

// Runs COMMAND_LINE, answering every dialog of the child, until it ends or times out.
ChildResult runProcess(const std::string& commandLine, const RunOptions& options);
// Runs this test program with "--child SCENARIO".
ChildResult runChild(const std::string& scenario, DialogAnswer answer = {}, DWORD timeoutMs = 30000);
// This test program's path.
std::string selfPath();
// The directory of this test program.
std::string selfDirectory();

// A child scenario: a function run instead of the tests when the program is
// started with "--child NAME"; its return value is the exit status.
struct ChildScenario {
  ChildScenario(const char* name, int (*run)());
};
// Runs the scenario named on the command line, if any; returns false when the
// program was not started as a child.
bool runScenarioFromCommandLine(int argc, char** argv, int& exitCode);

// The caption and the message text of a message box.
Dialog readDialog(HWND dialog);

}  // namespace vitrum_test

#define VITRUM_CHILD_SCENARIO(NAME)                                                      \
  static int NAME##_scenario();                                                          \
  static const ::vitrum_test::ChildScenario NAME##_registration(#NAME, NAME##_scenario); \
  static int NAME##_scenario()
