// Test support: run a program (usually this test program itself, with
// "--child NAME") and answer the message boxes it shows, recording each one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vitrum_test {

struct Dialog {
  std::string caption;
  std::string text;
};

// Picks the button that answers a dialog (IDOK, IDYES, IDNO, ...).
using DialogAnswer = std::function<int(const Dialog&)>;

struct ChildResult {
  DWORD exitCode = 0xFFFFFFFF;
  bool timedOut = false;
  std::vector<Dialog> dialogs;
  std::string output;  // what the child wrote to stdout and stderr
};

// Runs COMMAND_LINE and answers every dialog of the child with ANSWER (OK by
// default) until the child ends or TIMEOUT_MS passes (the child is then killed).
ChildResult runProcess(const std::string& commandLine, DialogAnswer answer = {},
                       DWORD timeoutMs = 30000, const std::string& workingDirectory = {});
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

// The top-level windows of process PID with window class CLASS_NAME (any class when null).
std::vector<HWND> windowsOfProcess(DWORD pid, const char* className = nullptr);
// The caption and the message text of a message box.
Dialog readDialog(HWND dialog);

}  // namespace vitrum_test

#define VITRUM_CHILD_SCENARIO(NAME)                                              \
  static int NAME##_scenario();                                                  \
  static const ::vitrum_test::ChildScenario NAME##_registration(#NAME, NAME##_scenario); \
  static int NAME##_scenario()
