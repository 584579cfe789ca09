// A program of ours started as its own process, found by its window, and
// closed with its close box: for the tests and measurements of Tallimor.exe.
#pragma once

#include <windows.h>

#include <string>

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;  // nullptr when it did not start or show a window
};

// Starts the command line and waits (at most 10 s) until the program's window
// is shown and its thread has finished setting it up, or the program ends.
Program start_program(const std::string& command_line);

// Closes the window with its close box and waits for the exit; returns the
// exit code, or -1 when the program did not end.
long close_program(Program& program);

// Waits (at most 10 s) for the program to end; its exit code, or -1.
long wait_for_exit(Program& program);

// A control's text, read across processes (WM_GETTEXT).
std::string text_of(HWND control);
