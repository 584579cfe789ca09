// Presses the controls of a running Tallimor window from outside, as a
// player would: used for the screenshot and for measurements.
//   drive_window [--start EXE] [--wait] [--repeat N] ACTION...
// ACTION is a control ID, clicked with BM_CLICK; type:DIGITS, typed into the
// increment box; sleep:MS; or close, the close box. --start starts the
// program first (and waits for its window); --repeat runs the list N times.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND find_window(bool wait)
{
    for (int i = 0; i < (wait ? 3000 : 1); ++i) {
        HWND window = FindWindowA("#32770", nullptr);
        if (window && IsWindowVisible(window) && GetDlgItem(window, 150))
            return window;
        Sleep(10);
    }
    return nullptr;
}

static void act(HWND window, const char* what)
{
    if (std::strcmp(what, "close") == 0) {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (std::strncmp(what, "sleep:", 6) == 0) {
        Sleep(static_cast<DWORD>(std::atoi(what + 6)));
    } else if (std::strncmp(what, "type:", 5) == 0) {
        for (const char* c = what + 5; *c; ++c)
            SendMessageA(GetDlgItem(window, 163), WM_CHAR, static_cast<unsigned char>(*c), 1);
    } else {
        SendMessageA(GetDlgItem(window, std::atoi(what)), BM_CLICK, 0, 0);
    }
}

int main(int argc, char** argv)
{
    bool wait = false;
    int repeat = 1;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--wait") == 0) {
            wait = true;
        } else if (std::strcmp(argv[first], "--start") == 0 && first + 1 < argc) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            if (!CreateProcessA(argv[++first], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process)) {
                std::fprintf(stderr, "drive_window: cannot start %s\n", argv[first]);
                return 1;
            }
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            wait = true;
        } else if (std::strcmp(argv[first], "--repeat") == 0 && first + 1 < argc) {
            repeat = std::atoi(argv[++first]);
        }
    }
    HWND window = find_window(wait);
    if (!window) {
        std::fprintf(stderr, "drive_window: no Tallimor window\n");
        return 1;
    }
    for (int r = 0; r < repeat; ++r)
        for (int i = first; i < argc; ++i)
            act(window, argv[i]);
    return 0;
}
