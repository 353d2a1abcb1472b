// Helpers for test programs that drive another Windows program: start it,
// find its windows, read their texts, answer its message boxes, and write
// resources into a copy of a program.
#pragma once

#include "win32/platform.h"

#include <cstdint>
#include <string>
#include <vector>

struct SeenMessageBox {
    std::string caption;
    std::string text;
};

struct ProgramRun {
    bool started = false;
    bool exited = false;
    DWORD exitCode = 0;
    std::vector<SeenMessageBox> messageBoxes;
};

struct ResourceItem {
    std::string type;
    int id;
    std::vector<uint8_t> bytes;
};

// A fresh, empty folder under the system's temporary folder.
std::string freshFolder(const std::string& name);
std::string readWholeFile(const std::string& path);
std::string folderOfThisProgram();

// Adds or replaces resources (language neutral) in an existing program file.
bool writeResources(const std::string& program, const std::vector<ResourceItem>& items);

// Sets the recorded size of a named-type resource to 0 in the program file:
// resource updates drop empty resources, which a program may still carry.
bool emptyResource(const std::string& program, const std::string& type, int id);
// Sets the recorded size, or the address, of a named-type resource in the
// program file, as a damaged program would have them.
bool resizeResource(const std::string& program, const std::string& type, int id, DWORD size);
bool moveResource(const std::string& program, const std::string& type, int id, DWORD address);
// Where a named-type resource's bytes start in the program file; 0 when not found.
std::size_t resourceDataOffset(const std::string& program, const std::string& type, int id);

// Seconds on the performance counter, for timings.
double secondsNow();

std::string classNameOf(HWND window);

// The visible top-level windows of a process, of the given class, or of any
// class when it is null, in stacking order; and the first of them.
std::vector<HWND> visibleTopWindowsOf(DWORD processId, const char* className = nullptr);
HWND visibleTopWindowOf(DWORD processId, const char* className = nullptr);

// The texts of a dialog's "Static" children, one after another: what a
// message box says.
std::string staticTextsOf(HWND dialog);

// Text of any window, also of another process's controls.
std::string windowText(HWND window);

// A Windows-1252 text as a JSON string (UTF-8, quotes, backslashes and
// control characters escaped), for quiz descriptions.
std::string jsonStringOf(const std::string& text);

// Code of a run that could not start or did not end in time.
constexpr DWORD notRun = 0xFFFFFFFF;

// Says on stderr which call failed for what, with GetLastError's code and
// text, so a test that could not start a process tells why.
void reportFailedCall(const char* call, const std::string& what);

// CreateProcessA of a command line (the program found in it) in a working
// folder (null: this one), reporting a failure, and trying again a start
// that Wine lost before the process began; the handles go to `process`.
bool startProcess(const std::string& commandLine, const char* folder, STARTUPINFOA& startup,
                  PROCESS_INFORMATION& process, DWORD flags = 0);

// Runs a command line to its end with its output in a log file; its exit
// code, or notRun (the process is then ended), saying on stderr why.
DWORD runLogged(const std::string& commandLine, const std::string& logPath, DWORD timeoutMs);

// Runs a command line in a working folder, clicking OK on each message box
// its process shows and recording caption and text in order, until the
// process ends or the time runs out (the process is then ended).
ProgramRun runAnsweringMessageBoxes(const std::string& commandLine, const std::string& folder, DWORD timeoutMs);
