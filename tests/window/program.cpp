#include "window/program.h"

static BOOL CALLBACK find_shown_window(HWND window, LPARAM param)
{
    auto* program = reinterpret_cast<Program*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != program->process.dwProcessId || !IsWindowVisible(window))
        return TRUE;
    program->window = window;
    return FALSE;
}

Program start_program(const std::string& command_line)
{
    Program program;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = command_line;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &program.process))
        return program;
    for (int i = 0; i < 10000 && !program.window; ++i) {
        EnumWindows(find_shown_window, reinterpret_cast<LPARAM>(&program));
        if (!program.window && WaitForSingleObject(program.process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (program.window)
        SendMessageA(program.window, WM_NULL, 0, 0);
    return program;
}

long close_program(Program& program)
{
    PostMessageA(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return wait_for_exit(program);
}

long wait_for_exit(Program& program)
{
    DWORD exit_code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(program.process.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(program.process.hProcess, &exit_code);
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    return static_cast<long>(exit_code);
}

std::string text_of(HWND control)
{
    char text[64] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
