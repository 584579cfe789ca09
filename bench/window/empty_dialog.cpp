// Shows an empty dialog until it is closed.
#include <windows.h>

static INT_PTR CALLBACK empty_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL)
        EndDialog(dialog, 0);
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(166), nullptr, empty_dialog_proc, 0);
    return 0;
}
