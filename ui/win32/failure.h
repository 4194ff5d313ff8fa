// Failures said aloud where a Windows program has no console: a start-up
// step that fails shows a message box with the system's reason and ends the
// program, and a runtime error at the event boundary goes to the debugger's
// output as well as to stderr.
#pragma once

#include <string>
#include <windows.h>

namespace ui
{

// For a start-up step that failed just now: shows "Quarvel could not" with
// `what` and `name` ("create the window of", "Command1") and GetLastError's
// text in a message box, then ends the program with exit code 1.
[[noreturn]] void failToStart(const wchar_t *what, const wchar_t *name = L"");

// The window handle, or the start-up failure when Windows made no window.
HWND windowOrFail(HWND window, const wchar_t *what, const std::string &name = {});

// One line of the event boundary's report, through OutputDebugStringW.
void reportToDebugger(const std::string &line);

} // namespace ui
